#pragma once

// Generated posts for the benchmarks.

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

/** Builds posts as forum posts look, only longer: paragraphs of Arabic and
    Latin words with inline tags in mixed case, ended by CR LF, now and then
    a named or plain quote or a code block around a paragraph. */
class PostWriter final
{
public:
    QString post(qsizetype length)
    {
        QString text;
        text.reserve(length + 4096);
        while (text.size() < length)
            paragraph(text);
        text.truncate(length);
        return text;
    }

private:
    void paragraph(QString &text)
    {
        static const QStringList blocks = {
            QStringLiteral("[QUOTE=Ali]|[/QUOTE]"), QStringLiteral("[QUOTE=محمد]|[/QUOTE]"),
            QStringLiteral("[QUOTE]|[/QUOTE]"),     QStringLiteral("[CODE]|[/CODE]"),
            QStringLiteral("[HTML]|[/HTML]"),       QStringLiteral("[PHP]|[/PHP]"),
        };
        const bool inBlock = m_random.bounded(5) == 0;
        const QStringList block = pick(blocks).split(QLatin1Char('|'));
        if (inBlock)
            text += mixCase(block[0]);
        const int items = 4 + int(m_random.bounded(8));
        for (int i = 0; i < items; ++i)
            item(text);
        if (inBlock)
            text += mixCase(block[1]);
        text += QStringLiteral("\r\n");
    }

    void item(QString &text)
    {
        static const QStringList words = {
            QStringLiteral("مرحبا"),   QStringLiteral("بكم"),   QStringLiteral("في"),
            QStringLiteral("المنتدى"), QStringLiteral("شكرا"),  QStringLiteral("على"),
            QStringLiteral("الموضوع"), QStringLiteral("hello"), QStringLiteral("forum"),
            QStringLiteral("Qt"),      QStringLiteral("code"),  QStringLiteral("a"),
        };
        static const QStringList inline_ = {
            QStringLiteral("[B]|[/B]"),
            QStringLiteral("[I]|[/I]"),
            QStringLiteral("[U]|[/U]"),
            QStringLiteral("[CENTER]|[/CENTER]"),
            QStringLiteral("[LEFT]|[/LEFT]"),
            QStringLiteral("[RIGHT]|[/RIGHT]"),
            QStringLiteral("[FONT='Arial']|[/FONT]"),
            QStringLiteral("[SIZE=4]|[/SIZE]"),
            QStringLiteral("[COLOR=#FF0000]|[/COLOR]"),
            QStringLiteral("[URL=http://example.org/]|[/URL]"),
            QStringLiteral("[img]|[/img]"),
        };
        if (m_random.bounded(2) == 0) {
            text += pick(words);
        } else {
            const QStringList tag = pick(inline_).split(QLatin1Char('|'));
            text += mixCase(tag[0]);
            text += pick(words);
            text += mixCase(tag[1]);
        }
        text += QLatin1Char(' ');
    }

    QString pick(const QStringList &list) { return list[qsizetype(m_random.bounded(quint32(list.size())))]; }

    QString mixCase(QString tag)
    {
        for (QChar &c : tag) {
            if (c.unicode() < 128 && c.isLetter() && m_random.bounded(2))
                c = c.isUpper() ? c.toLower() : c.toUpper();
        }
        return tag;
    }

    QRandomGenerator m_random{4242};
};
