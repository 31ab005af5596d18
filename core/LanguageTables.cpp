#include "core/LanguageTables.h"

int g_LanguageIndex = 0;

QList<QStringList> g_LangTextsDialogChange;
QList<QStringList> g_LangTextsLight;
QList<QStringList> g_LangTextsMacro;
QList<QStringList> g_LangTextsSensor;
QList<QStringList> g_LangTextsButtoninterface;
QList<QStringList> g_LangTextsProgress;
QList<QStringList> g_LangTextsUpDataParam;
QList<QStringList> g_LangTextsQuestionB;
QList<QStringList> g_LangTextsQuestion;
QList<QStringList> g_LangTextsMouseOffLine;
QList<QStringList> g_LangTextsMatch;
QList<QStringList> g_LangTextsAutoRepair;
QList<QStringList> g_LangTextsSameMacro;
QList<QStringList> g_LangTextsRePair;
QList<QStringList> g_LangTextsMakeMacro;
QList<QStringList> g_LangTextsButtonOnly;
QList<QStringList> g_LangTextsLimit;
QList<QStringList> g_LangTextsMaxThree;
QList<QStringList> g_LangTextsGroupKey;
QList<QStringList> g_LangTextsFireKey;
QList<QStringList> g_LangTextsDeleteConfirm;
QList<QStringList> g_LangTextsEXEIsRun;
QList<QStringList> g_LangTextsContainReset;
QList<QStringList> g_LangTextsAddKey;
QList<QStringList> g_LangTextsAddDelayTime;
QList<QStringList> g_LangTextsDialogMain;
QList<QStringList> g_LangTextsFormSetting;
QList<QStringList> g_LangTextsInportFail;
QList<QStringList> g_LangTextsExportFail;
QList<QStringList> g_LangTextsReplaceFile;
QList<QStringList> g_LangTextsSettingNotSaved;
QList<QStringList> g_LangTextsNewVer;
QList<QStringList> g_LangTextsLessThree;
QList<QStringList> g_LangTextsScreenInfo;
QList<QStringList> g_LangTextsCompanyInfo;
QList<QStringList> g_LangTextsMacroNotice;
QList<QStringList> g_LangTextsDeviceBeingRead;

QString LanguageText(const QList<QStringList>& table, int k, const QString& defaultText)
{
    return LanguageTextInRow(table, g_LanguageIndex, k, defaultText);
}

QString LanguageTextInRow(const QList<QStringList>& table, int row, int k, const QString& defaultText)
{
    for (const int tried : {row, 0}) {
        if (tried >= 0 && tried < table.size() && k >= 0 && k < table.at(tried).size())
            return table.at(tried).at(k);
    }
    return defaultText;
}
