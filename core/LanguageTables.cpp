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
QList<QStringList> g_LangTextsNewVer;
QList<QStringList> g_LangTextsLessThree;
QList<QStringList> g_LangTextsScreenInfo;
QList<QStringList> g_LangTextsCompanyInfo;

QString LanguageText(const QList<QStringList>& table, int k, const QString& defaultText)
{
    for (const int row : {g_LanguageIndex, 0}) {
        if (row >= 0 && row < table.size() && k >= 0 && k < table.at(row).size())
            return table.at(row).at(k);
    }
    return defaultText;
}
