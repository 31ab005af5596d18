#include "widgets/ExeIsRun.h"

#include "core/LanguageLoader.h"
#include "core/PostMsg.h"
#include "core/UserIni.h"
#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QLabel>
#include <QToolButton>
#include <QXmlStreamReader>

namespace {

const NoticeFormSpec kExeIsRun = {
    .name = "ExeIsRun",
    .frameName = "DeleteConfirmA",
    .dialogMinimum = QSize(298, 140),
    .dialogMaximum = QSize(300, 140),
    .fixedSizePolicy = true,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "Confirm Delete",
    .newHong = {QPoint(100, 110), "确定"},
};

const QString kEnglishFile = QStringLiteral("/Language/0-English.xml");

// The language file of a language index, below the program folder. Only
// indexes 0 and 1 name files that ship; any other index is English.
QString ExeIsRunLanguageFile(int index)
{
    switch (index) {
    case 1: return "/Language/5-Polish.xml";
    case 2: return QString::fromUtf8("/Language/2-繁体中文.xml");
    case 3: return "/Language/3-Korea.xml";
    case 4: return "/Language/4-Russia.xml";
    case 5: return "/Language/5-Japanese.xml";
    default: return kEnglishFile;
    }
}

// The texts of the EXEIsRun section; an empty one was not given.
struct ExeIsRunTexts
{
    QString label;
    QString newHong;
    QString label2;
    QString pleaseStop;

    // Each text not given here takes the one of other.
    void FillFrom(const ExeIsRunTexts& other)
    {
        for (auto member : {&ExeIsRunTexts::label, &ExeIsRunTexts::newHong, &ExeIsRunTexts::label2,
                            &ExeIsRunTexts::pleaseStop}) {
            if ((this->*member).isEmpty())
                this->*member = other.*member;
        }
    }
};

// The words of the English file, for when no file gives them: the notice
// never shows its form's placeholder texts.
const ExeIsRunTexts kBuiltInEnglish = {
    QStringLiteral("Quorvane is already running"),
    QStringLiteral("OK"),
    QStringLiteral("Please select a macro first"),
    QStringLiteral("Please stop the recording first"),
};

// Texts go by element name, so their order does not matter and the last of
// two wins.
void ReadExeIsRunElement(QXmlStreamReader& reader, ExeIsRunTexts& texts)
{
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            return;
        }
        if (!reader.isStartElement()) {
            reader.readNext();
            continue;
        }
        const QString name = reader.name().toString();
        if (name == "label")
            texts.label = ReadLanguageElementText(reader);
        else if (name == "NewHong")
            texts.newHong = ReadLanguageElementText(reader);
        else if (name == "label_2")
            texts.label2 = ReadLanguageElementText(reader);
        else if (name == "PleaseStop")
            texts.pleaseStop = ReadLanguageElementText(reader);
        else
            SkipLanguageElement(reader);
    }
}

// Every section but EXEIsRun is skipped whole.
void ReadTotalElement(QXmlStreamReader& reader, ExeIsRunTexts& texts)
{
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            return;
        }
        if (!reader.isStartElement())
            reader.readNext();
        else if (reader.name() == QLatin1String("EXEIsRun"))
            ReadExeIsRunElement(reader, texts);
        else
            SkipLanguageElement(reader);
    }
}

// What the language file below the program folder gives; nothing where it
// is missing, unreadable or not a regular file (a FIFO would block).
ExeIsRunTexts ReadExeIsRunTexts(const QString& languageFile)
{
    ExeIsRunTexts texts;
    QFile file(ProgramFolder() + languageFile);
    if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
        return texts;
    QXmlStreamReader reader(&file);
    reader.readNext();
    while (!reader.atEnd()) {
        if (!reader.isStartElement())
            reader.readNext();
        else if (reader.name() == QLatin1String("Total"))
            ReadTotalElement(reader, texts);
        else
            reader.raiseError("Not a labels file");
    }
    return texts;
}

} // namespace

int ShowAlreadyRunningNotice()
{
    ExeIsRun notice;
    notice.exec();
    return 1;
}

ExeIsRun::ExeIsRun(QWidget* parent) : NoticeDialog(kExeIsRun, parent)
{
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this, SLOT(SlotChangeLanguage(int)));
    // A second instance never loads the language tables, so the user's
    // language comes from the per-user settings; anything but a number is English.
    SlotChangeLanguage(UserIni::GetInstance()->Value("Language", "Language").toInt());
}

void ExeIsRun::ShowLabel2Text()
{
    ui->label->setText(m_Label2Text);
}

void ExeIsRun::ShowPleaseStopText()
{
    ui->label->setText(m_PleaseStopText);
}

// Reads the file anew at every call. A text the language's file does not
// give comes from the English file, else from the built-in English words.
void ExeIsRun::SlotChangeLanguage(int index)
{
    const QString languageFile = ExeIsRunLanguageFile(index);
    ExeIsRunTexts texts = ReadExeIsRunTexts(languageFile);
    if (languageFile != kEnglishFile)
        texts.FillFrom(ReadExeIsRunTexts(kEnglishFile));
    texts.FillFrom(kBuiltInEnglish);
    ui->label->setText(texts.label);
    ui->NewHong->setText(texts.newHong);
    m_Label2Text = texts.label2;
    m_PleaseStopText = texts.pleaseStop;
}
