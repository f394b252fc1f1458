// Captions that go together (a dialog's labels, its buttons) share one row of
// the translation table, separated by '|': the table holds 101 rows in all.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

namespace stk {

using CaptionOf = std::function<QString(std::string_view)>;

// The `count` captions of the French row `french`, in the shown language; a
// translation that gives fewer parts falls back on the French ones.
inline QStringList caption_list(const CaptionOf& translate, std::string_view french, qsizetype count)
{
    const QStringList shown = translate(french).split(u'|');
    QStringList out = QString::fromUtf8(french.data(), static_cast<qsizetype>(french.size())).split(u'|');
    if (shown.size() >= count)
        out = shown;
    out.resize(count);
    return out;
}

}  // namespace stk
