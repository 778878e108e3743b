// Visible escapes for control characters in captions and status lines.
#include "base/visibleText.h"

QString withVisibleControls(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line
            && category != QChar::Separator_Paragraph) {
            shown += c;
            continue;
        }
        switch (c.unicode()) {
        case '\n':
            shown += QLatin1String("\\n");
            break;
        case '\r':
            shown += QLatin1String("\\r");
            break;
        case '\t':
            shown += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x100)
                shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return shown;
}
