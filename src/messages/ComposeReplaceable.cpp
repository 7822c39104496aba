#include "messages/ComposeReplaceable.h"

namespace tq {

bool composeReplaceableFor(QStringView composeText)
{
    for (const QChar c : composeText) {
        switch (c.unicode()) {
        case u' ':
        case u'\t':
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
            continue;
        default:
            return false;
        }
    }
    return true;
}

} // namespace tq
