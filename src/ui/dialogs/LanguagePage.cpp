#include "ui/dialogs/LanguagePage.h"

#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/DialogUnits.h"
#include "ui/common/ShellActions.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvan {

LanguagePage::LanguagePage(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell), m_group(new QGroupBox(this)), m_english(nullptr),
      m_chinese(nullptr) {
    resize(dluX(296), dluY(152));
    m_group->setObjectName(QStringLiteral("languageGroup"));
    // Each language is named in its own script, whatever the current language.
    m_english = new QRadioButton(QStringLiteral("English"), m_group);
    m_english->setObjectName(QStringLiteral("englishChoice"));
    m_chinese = new QRadioButton(QStringLiteral("简体中文"), m_group);
    m_chinese->setObjectName(QStringLiteral("chineseChoice"));

    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_english);
    groupLayout->addWidget(m_chinese);
    groupLayout->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_group);

    const int language = m_context.texts.language();
    m_english->setChecked(language == int(Language::English));
    m_chinese->setChecked(language == int(Language::Chinese));

    // clicked, not toggled: a click on the radio that is already checked applies and saves again.
    connect(m_english, &QRadioButton::clicked, this, [this] { setLanguage(true); });
    connect(m_chinese, &QRadioButton::clicked, this, [this] { setLanguage(false); });

    retranslate();
}

void LanguagePage::retranslate() {
    m_group->setTitle(m_context.texts.text(TextId::SettingLanguage));
}

void LanguagePage::setLanguage(bool english) {
    if (english)
        m_context.texts.loadEnglish();
    else
        m_context.texts.loadChinese();
    m_shell.retranslateAll(); // every window re-captions and the display names follow
    m_shell.saveSettings();   // the language is used at the next start
}

} // namespace quorvan
