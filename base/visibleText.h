// Texts made from names (file paths) for captions and status lines.
#pragma once

#include <QString>

// The text with every control character and line or paragraph separator written as a visible
// escape: "\n", "\r", "\t", else "\xHH" (below U+0100) or "\uHHHH"; other characters, the
// backslash included, are kept.
QString withVisibleControls(const QString& text);
