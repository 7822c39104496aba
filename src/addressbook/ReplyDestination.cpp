#include "addressbook/ReplyDestination.h"

namespace tq {

QString replyDestination(const QString &sender)
{
    const qsizetype slash = sender.lastIndexOf(QLatin1Char('/'));
    const qsizetype nameEnd = slash < 0 ? sender.size() : slash;
    QString name = sender.left(nameEnd);
    name.remove(QLatin1Char(';'));
    return name + sender.mid(nameEnd);
}

} // namespace tq
