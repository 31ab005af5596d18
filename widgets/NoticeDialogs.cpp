#include "widgets/NoticeDialogs.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "widgets/DialogFamily.h"

int g_OfflineNoticeKind = 0;
int g_ImportResult = 0;

namespace {

const QSize kFullFrame(300, 140);
const QPoint kConfirmAt(100, 110);
const char* const kOkText = "确定";

// The offline notice and the import failure pick their message by a kind
// that the opener stores before construction; any other kind keeps the text.
int OfflineLabelPosition()
{
    return g_OfflineNoticeKind == 0 || g_OfflineNoticeKind == 1 ? g_OfflineNoticeKind : -1;
}

int ImportFailLabelPosition()
{
    return g_ImportResult == 1 || g_ImportResult == 2 ? g_ImportResult - 1 : -1;
}

const NoticeFormSpec kQuestiondialogB = {
    .name = "QuestiondialogB",
    .frameName = "QuestionB",
    .frameLimit = QSize(300, 130),
    .dialogMinimum = kFullFrame,
    .dialogMaximum = kFullFrame,
    .labelRect = QRect(0, 30, 301, 60),
    .labelText = "  Do not insert multiple identical devices",
    .labelPosition = NoticeLabelAtFirstText,
    .texts = &g_LangTextsQuestionB,
};

const NoticeFormSpec kMouseOffLine = {
    .name = "MouseOffLine",
    .frameName = "MouseOffLineA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 20, 301, 71),
    .labelText = "   The mouse is offline. Please move first",
    .labelPosition = OfflineLabelPosition,
    .closeAt = QPoint(275, 3),
    .newHong = {QPoint(100, 100), "确认", 2},
    .texts = &g_LangTextsMouseOffLine,
    .confirmPicture = "ConFirm.png",
    .confirmPressedPicture = "ConFirmClick.png",
    .frameRuleSpaced = true,
};

const NoticeFormSpec kLeftButtonOnly = {
    .name = "LeftButtonOnly",
    .frameName = "ButtonOnly",
    .frameLimit = kFullFrame,
    .dialogMinimum = kFullFrame,
    .dialogMaximum = kFullFrame,
    .labelRect = QRect(0, 19, 301, 91),
    .labelText = "Left button must be retained",
    .labelPosition = NoticeLabelAtFirstText,
    .texts = &g_LangTextsButtonOnly,
};

const NoticeFormSpec kMakeMacro = {
    .name = "MakeMacro",
    .frameName = "MakeMacroA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(6, 29, 291, 71),
    .labelText = "Please create a macro first",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsMakeMacro,
};

const NoticeFormSpec kSameMacro = {
    .name = "SameMacro",
    .frameName = "SameMacroA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 10, 301, 91),
    .labelText = "Already have a same name macro",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsSameMacro,
};

const NoticeFormSpec kGroupMaxThree = {
    .name = "GroupMaxThree",
    .frameName = "MaxThree",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "  Key can only have up to three buttons",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {QPoint(105, 110), kOkText, 1},
    .texts = &g_LangTextsMaxThree,
};

const NoticeFormSpec kKeyNumberLimit = {
    .name = "KeyNumberLimit",
    .frameName = "LimitA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "Macro Key reached the Max limit",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsLimit,
};

const NoticeFormSpec kDeleteConfirm = {
    .name = "DeleteConfirm",
    .frameName = "DeleteConfirmA",
    .labelRect = QRect(5, 30, 291, 71),
    .labelText = "Confirm Delete",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsDeleteConfirm,
};

const NoticeFormSpec kInportFail = {
    .name = "InportFail",
    .frameName = "InportFailA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "Config does not match the device",
    .labelPosition = ImportFailLabelPosition,
    .newHong = {kConfirmAt, kOkText, 2},
    .texts = &g_LangTextsInportFail,
};

const NoticeFormSpec kExportFail = {
    .name = "ExportFail",
    .frameName = "ExportFailA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(0, 30, 301, 71),
    .labelText = "The settings could not be saved to this file",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsExportFail,
};

const NoticeFormSpec kSettingNotSaved = {
    .name = "SettingNotSaved",
    .frameName = "SettingNotSavedA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(10, 30, 281, 71),
    .labelText = "This choice could not be saved: the settings file in your personal Quorvane data folder cannot be written.",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsSettingNotSaved,
};

const NoticeFormSpec kLessThree = {
    .name = "LessThree",
    .frameName = "LessThreeframe",
    .labelRect = QRect(2, 30, 300, 61),
    .labelPointSize = 9,
    .labelText = "Please wait, we are updating the setting",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsLessThree,
};

const NoticeFormSpec kDeviceBeingRead = {
    .name = "DeviceBeingRead",
    .frameName = "DeviceBeingReadA",
    .frameLimit = kFullFrame,
    .labelRect = QRect(10, 20, 281, 81),
    .labelText = "The mouse's settings are being read again, so nothing was changed or exported. Try again in a moment.",
    .labelPosition = NoticeLabelAtFirstText,
    .newHong = {kConfirmAt, kOkText, 1},
    .texts = &g_LangTextsDeviceBeingRead,
};

} // namespace

QuestiondialogB::QuestiondialogB(QWidget* parent) : NoticeDialog(kQuestiondialogB, parent) {}

MouseOffLine::MouseOffLine(QWidget* parent) : NoticeDialog(kMouseOffLine, parent)
{
    connect(PostMsg::GetInstance(), SIGNAL(SigCloseOffOnline()), this, SLOT(on_CloseButton_clicked()));
}

LeftButtonOnly::LeftButtonOnly(QWidget* parent) : NoticeDialog(kLeftButtonOnly, parent) {}

MakeMacro::MakeMacro(QWidget* parent) : NoticeDialog(kMakeMacro, parent) {}

SameMacro::SameMacro(QWidget* parent) : NoticeDialog(kSameMacro, parent) {}

GroupMaxThree::GroupMaxThree(QWidget* parent) : NoticeDialog(kGroupMaxThree, parent) {}

KeyNumberLimit::KeyNumberLimit(QWidget* parent) : NoticeDialog(kKeyNumberLimit, parent) {}

DeleteConfirm::DeleteConfirm(QWidget* parent) : NoticeDialog(kDeleteConfirm, parent) {}

void DeleteConfirm::on_NewHong_clicked()
{
    CloseWithAnswer(Confirmed, true);
}

void DeleteConfirm::on_CloseButton_clicked()
{
    CloseWithAnswer(Confirmed, false);
}

InportFail::InportFail(QWidget* parent) : NoticeDialog(kInportFail, parent) {}

ExportFail::ExportFail(QWidget* parent) : NoticeDialog(kExportFail, parent) {}

SettingNotSaved::SettingNotSaved(QWidget* parent) : NoticeDialog(kSettingNotSaved, parent) {}

void TellSettingNotSaved(QWidget* opener)
{
    SettingNotSaved notice;
    PlaceDialog(&notice, opener);
    notice.exec();
}

LessThree::LessThree(QWidget* parent) : NoticeDialog(kLessThree, parent) {}

DeviceBeingRead::DeviceBeingRead(QWidget* parent) : NoticeDialog(kDeviceBeingRead, parent) {}
