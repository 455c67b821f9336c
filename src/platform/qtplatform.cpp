#include "platform/qtplatform.h"

#include "platform/colornumber.h"
#include "platform/dialogfilter.h"
#include "platform/filedialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace zarvelo {

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}
} // namespace

void QtPlatform::messageBox(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon, title,
                    text, QMessageBox::Ok, dialogParent());
    box.exec();
}

int QtPlatform::questionBox(const QString &text, const QStringList &answers, int defaultAnswer,
                            int escapeAnswer, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons.append(box.addButton(answer, QMessageBox::ActionRole));
    if (defaultAnswer >= 0 && defaultAnswer < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons[defaultAnswer]));
    if (escapeAnswer >= 0 && escapeAnswer < buttons.size())
        box.setEscapeButton(buttons[escapeAnswer]);
    box.exec();
    const int chosen = int(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : escapeAnswer;
}

QString QtPlatform::inputBox(const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? answer : QString();
}

QString QtPlatform::openFileName(const QString &filter, const QString &initialFileName)
{
    return askFileName(dialogParent(), false, qtFileDialogFilter(filter), initialFileName);
}

QString QtPlatform::saveFileName(const QString &filter, const QString &initialFileName)
{
    return askFileName(dialogParent(), true, qtFileDialogFilter(filter), initialFileName);
}

std::optional<quint32> QtPlatform::chooseColor(quint32 initial)
{
    const QColor chosen = QColorDialog::getColor(QColor(QRgb(colorNumberToRgb(initial))), dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return rgbToColorNumber(int(chosen.rgb()));
}

void QtPlatform::setClipboardText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtPlatform::setClipboardFormatted(const ClipboardText &content)
{
    auto *data = new QMimeData;
    data->setHtml(content.html);
    data->setText(content.text);
    QGuiApplication::clipboard()->setMimeData(data);
}

ClipboardText QtPlatform::clipboardContents()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    return {data->hasHtml() ? data->html() : QString(), data->text()};
}

bool QtPlatform::openInBrowser(const QString &path, QString *error)
{
    // A file URL, handed to the desktop: no shell parses the path, so spaces
    // and quotes in it are harmless.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    if (error)
        *error = QStringLiteral("تعذر تشغيل برنامج لعرض صفحات الويب.");
    return false;
}

bool QtPlatform::openUrl(const QUrl &url, QString *error)
{
    if (QDesktopServices::openUrl(url))
        return true;
    if (error)
        *error = QStringLiteral("no program to show web pages could be started");
    return false;
}

QString QtPlatform::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::cacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

void QtPlatform::endProcess(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace zarvelo
