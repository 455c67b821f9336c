#pragma once

// What the feature window tests share: editor, highlighter, main window, Qt Test.

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
