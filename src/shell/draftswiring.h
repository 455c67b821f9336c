#pragma once

namespace zarvelo {

class Form1;

/** Keeps the main window's post as drafts and opens the drafts window from
    the menu item DRAFTS. Call once the post-file commands exist. */
void wireDrafts(Form1 &form);

} // namespace zarvelo
