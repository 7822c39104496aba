#include "history/HistoryExport.h"

#include "messages/MessageTextForms.h"

#include <QSaveFile>

namespace tq {

QByteArray historyExportText(const HistoryResult &result)
{
    QString text;
    for (size_t row = 0; row < result.rows.size(); ++row)
        text += readableMessage(result.at(row).record);
    return text.toUtf8();
}

QString writeHistoryExport(const QString &path, const HistoryResult &result)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray text = historyExportText(result);
    if (file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace tq
