#include "settings/FormSetting.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"

QString g_UpdateWarningText;

namespace {
// Position of the "WiredMode" text in the page's language section.
constexpr int WiredModeText = 14;
}

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
{
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

void FormSetting::SlotAllLanguage(int /*index: always the current language*/)
{
    g_UpdateWarningText = LanguageText(g_LangTextsFormSetting, WiredModeText, QString());
}
