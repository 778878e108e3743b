// Visible escapes of control characters in names shown as captions.
#include "base/visibleText.h"

#include <gtest/gtest.h>

namespace {

TEST(VisibleText, ControlCharactersBecomeEscapes)
{
    const struct
    {
        QString name;
        const char* shown;
    } rows[] = {
        {QStringLiteral("plain name.png"), "plain name.png"},
        {QStringLiteral("two\nlines.png"), "two\\nlines.png"},
        {QStringLiteral("a\r\n\tb"), "a\\r\\n\\tb"},
        {QStringLiteral("bell\a esc\x1b del\x7f"), "bell\\x07 esc\\x1b del\\x7f"},
        {QString(QChar(0x85)) + QChar(0x9b), "\\x85\\x9b"},
        {QStringLiteral("line") + QChar(0x2028) + QChar(0x2029), "line\\u2028\\u2029"},
        {QStringLiteral("C:\\dir\\x.png"), "C:\\dir\\x.png"},
        {QStringLiteral("Gr\u00f6\u00dfe \u00b5m \u65e5"), "Gr\xc3\xb6\xc3\x9f"
                                                           "e \xc2\xb5m \xe6\x97\xa5"},
        {QString(), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        const QString shown = withVisibleControls(row.name);
        EXPECT_EQ(shown.toStdString(), row.shown);
        for (const QChar c : shown)
            EXPECT_NE(c.category(), QChar::Other_Control);
    }
    // A NUL inside the name is shown, not taken as its end.
    EXPECT_EQ(withVisibleControls(QString::fromLatin1("a\0b", 3)).toStdString(), "a\\x00b");
}

} // namespace
