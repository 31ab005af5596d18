#include "pages/buttons/ValueDialog.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "widgets/DialogFamily.h"

#include <QVariant>
#include <QWidget>

ValueDialog::ValueDialog(QWidget* parent, const QList<QStringList>& texts)
    : QDialog(parent)
    , PicturePath(WarningDialogFolder())
    , m_Texts(texts)
{
}

void ValueDialog::FollowLanguage(const QList<QWidget*>& textTargets)
{
    m_TextTargets = textTargets;
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

void ValueDialog::on_NewHong_2_clicked()
{
    Finish(false);
}

void ValueDialog::on_CloseButton_clicked()
{
    Finish(false);
}

void ValueDialog::SlotAllLanguage(int /*index: always the current language*/)
{
    for (int k = 0; k < m_TextTargets.size(); ++k) {
        QWidget* target = m_TextTargets.at(k);
        target->setProperty("text", LanguageText(m_Texts, k, target->property("text").toString()));
    }
}

void ValueDialog::Finish(bool ok, int result)
{
    IsOk = ok;
    done(result);
}
