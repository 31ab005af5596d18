#include "core/QtDialogTexts.h"

#include "core/PostMsg.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#include <memory>

namespace {

// The rows of the language tables and the Qt catalogue of each; row 0 is
// English, Qt's own language.
QString QtCatalogueOfLanguage(int languageIndex)
{
    return languageIndex == 1 ? QStringLiteral("qtbase_pl") : QString();
}

// Answers with the catalogue of the current language. It reports itself as
// empty, so installing it posts no language change; Qt asks it all the same.
class QtDialogTranslator : public QTranslator
{
public:
    explicit QtDialogTranslator(QObject* parent) : QTranslator(parent) {}

    bool isEmpty() const override { return true; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        return m_Catalogue ? m_Catalogue->translate(context, sourceText, disambiguation, n) : QString();
    }

    void SetLanguage(int languageIndex)
    {
        m_Catalogue.reset();
        const QString name = QtCatalogueOfLanguage(languageIndex);
        if (name.isEmpty())
            return;
        auto catalogue = std::make_unique<QTranslator>();
        if (catalogue->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
            m_Catalogue = std::move(catalogue);
    }

private:
    // Not installed itself: loading it changes nothing else.
    std::unique_ptr<QTranslator> m_Catalogue;
};

} // namespace

void InstallQtDialogTexts()
{
    auto* translator = new QtDialogTranslator(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator);
    QObject::connect(PostMsg::GetInstance(), &PostMsg::SigAllLanguage, translator,
                     [translator](int index) { translator->SetLanguage(index); });
}

void RetranslateQtDialog(QWidget* dialog)
{
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &change);
}
