#include "prefs/QFilteringSetup.h"

#include "messages/KillWordFilter.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "prefs/BrowseRules.h"
#include "res/StringTable.h"
#include "settings/SettingsKeys.h"
#include "ui_QFilteringSetup.h"

#include <QStyle>

namespace tq {

QFilteringSetup::QFilteringSetup(const PrefsContext &context, QWidget *parent)
    : PrefsPage(context, parent)
    , m_ui(std::make_unique<Ui::QFilteringSetup>())
    , m_values(FilteringSetupValues::read(context.settings, context.dataDir))
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("filteringPage"));
    m_ui->dontDuplicateCheck->setChecked(m_values.dontDuplicate);
    m_ui->onlyKnowUsersCheck->setChecked(m_values.onlyKnowUsers);
    m_ui->recvNMessagesCheck->setChecked(m_values.recvNMessages);
    m_ui->saveDeadCheck->setChecked(m_values.saveDead);
    m_ui->deadFileEdit->setText(m_values.deadFileName);

    m_ui->deadBrowseButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_ui->viewButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_ui->viewButton->setToolTip(tqString(Sid::TipViewFile));
    connect(m_ui->deadBrowseButton, &QPushButton::clicked, this, &QFilteringSetup::browseDeadFile);
    connect(m_ui->viewButton, &QToolButton::clicked, this, &QFilteringSetup::viewDeadFile);
}

QFilteringSetup::~QFilteringSetup() = default;

void QFilteringSetup::onFirstShow()
{
    setHeadings({m_ui->rulesHeading});
    m_killWords = KillWordText::load(killFilePath(m_context.dataDir));
    m_ui->killWordsEdit->setPlainText(m_killWords.text());
}

void QFilteringSetup::browseDeadFile()
{
    const QString initial =
        browseInitialName(m_ui->deadFileEdit->text(), m_context.dataDir + QLatin1String(keys::kDeadFileDefaultName));
    const QString chosen =
        m_context.prompter.saveFileName({}, initial, dialogFileFilter(tqString(Sid::FilterTextFiles)));
    if (!chosen.isEmpty())
        m_ui->deadFileEdit->setText(withDefaultSuffix(chosen, QStringLiteral("txt")));
}

void QFilteringSetup::viewDeadFile()
{
    const QString file = m_ui->deadFileEdit->text();
    if (!file.isEmpty())
        m_context.shell.openUrl(QUrl::fromLocalFile(file));
}

std::optional<FieldProblem> QFilteringSetup::collect()
{
    m_values.dontDuplicate = m_ui->dontDuplicateCheck->isChecked();
    m_values.onlyKnowUsers = m_ui->onlyKnowUsersCheck->isChecked();
    m_values.recvNMessages = m_ui->recvNMessagesCheck->isChecked();
    m_values.saveDead = m_ui->saveDeadCheck->isChecked();
    m_values.deadFileName = m_ui->deadFileEdit->text();
    return std::nullopt;
}

void QFilteringSetup::apply()
{
    m_values.write(m_context.settings);
    // A write failure is not reported: the previous file stays as it was.
    m_killWords.save(killFilePath(m_context.dataDir), m_ui->killWordsEdit->toPlainText());
}

} // namespace tq
