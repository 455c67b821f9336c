#pragma once

// What the window tests of the editor's features share: the post editor and its
// highlighter, the main window on the scripted platform, Qt Test, string literals.

#include "highlight/posthighlighter.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

using namespace zarvelo;
using namespace Qt::StringLiterals;
