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

// The language file of a language index, below the program folder. Only
// indexes 0 and 1 name files that ship; the others fall back to the form's texts.
QString ExeIsRunLanguageFile(int index)
{
    switch (index) {
    case 1: return "/Language/5-Polish.xml";
    case 2: return QString::fromUtf8("/Language/2-繁体中文.xml");
    case 3: return "/Language/3-Korea.xml";
    case 4: return "/Language/4-Russia.xml";
    case 5: return "/Language/5-Japanese.xml";
    default: return "/Language/0-English.xml";
    }
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

// Reads the file anew at every call; what it lacks keeps its present text.
void ExeIsRun::SlotChangeLanguage(int index)
{
    QFile file(ProgramFolder() + ExeIsRunLanguageFile(index));
    if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
        return;
    QXmlStreamReader reader(&file);
    m_Reader = &reader;
    m_Reader->readNext();
    while (!m_Reader->atEnd()) {
        if (!m_Reader->isStartElement())
            m_Reader->readNext();
        else if (m_Reader->name() == QLatin1String("Total"))
            ReadTotalElement();
        else
            m_Reader->raiseError("Not a labels file");
    }
    m_Reader = nullptr;
}

// Every section but EXEIsRun is skipped whole.
void ExeIsRun::ReadTotalElement()
{
    m_Reader->readNext();
    while (!m_Reader->atEnd()) {
        if (m_Reader->isEndElement()) {
            m_Reader->readNext();
            return;
        }
        if (!m_Reader->isStartElement())
            m_Reader->readNext();
        else if (m_Reader->name() == QLatin1String("EXEIsRun"))
            ReadExeIsRunElement();
        else
            SkipLanguageElement(*m_Reader);
    }
}

// Texts go by element name, so their order does not matter and the last of
// two wins.
void ExeIsRun::ReadExeIsRunElement()
{
    m_Reader->readNext();
    while (!m_Reader->atEnd()) {
        if (m_Reader->isEndElement()) {
            m_Reader->readNext();
            return;
        }
        if (!m_Reader->isStartElement()) {
            m_Reader->readNext();
            continue;
        }
        const QString name = m_Reader->name().toString();
        if (name == "label")
            ui->label->setText(ReadLanguageElementText(*m_Reader));
        else if (name == "NewHong")
            ui->NewHong->setText(ReadLanguageElementText(*m_Reader));
        else if (name == "label_2")
            m_Label2Text = ReadLanguageElementText(*m_Reader);
        else if (name == "PleaseStop")
            m_PleaseStopText = ReadLanguageElementText(*m_Reader);
        else
            SkipLanguageElement(*m_Reader);
    }
}
