#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The visible texts of every form, one table per form section. A table holds
// one row per language in the order the language files were read (0 English,
// 1 Polish); a row holds the section's texts in file order, and forms take
// text k by position. The loader fills the tables once; afterwards they are
// only read, on the GUI thread.

// The row every form shows: 0 English, 1 Polish. Written by the language
// choosers and the main window, read by the forms, all on the GUI thread.
extern int g_LanguageIndex;

extern QList<QStringList> g_LangTextsDialogChange;
extern QList<QStringList> g_LangTextsLight;
extern QList<QStringList> g_LangTextsMacro;
extern QList<QStringList> g_LangTextsSensor;
extern QList<QStringList> g_LangTextsButtoninterface;
extern QList<QStringList> g_LangTextsProgress;
extern QList<QStringList> g_LangTextsUpDataParam;
extern QList<QStringList> g_LangTextsQuestionB;
extern QList<QStringList> g_LangTextsQuestion;
extern QList<QStringList> g_LangTextsMouseOffLine;
extern QList<QStringList> g_LangTextsMatch;
extern QList<QStringList> g_LangTextsAutoRepair;
extern QList<QStringList> g_LangTextsSameMacro;
extern QList<QStringList> g_LangTextsRePair;
extern QList<QStringList> g_LangTextsMakeMacro;
extern QList<QStringList> g_LangTextsButtonOnly;
extern QList<QStringList> g_LangTextsLimit;
extern QList<QStringList> g_LangTextsMaxThree;
extern QList<QStringList> g_LangTextsGroupKey;
extern QList<QStringList> g_LangTextsFireKey;
extern QList<QStringList> g_LangTextsDeleteConfirm;
extern QList<QStringList> g_LangTextsEXEIsRun;
extern QList<QStringList> g_LangTextsContainReset;
extern QList<QStringList> g_LangTextsAddKey;
extern QList<QStringList> g_LangTextsAddDelayTime;
extern QList<QStringList> g_LangTextsDialogMain;
extern QList<QStringList> g_LangTextsFormSetting;
extern QList<QStringList> g_LangTextsInportFail;
extern QList<QStringList> g_LangTextsExportFail;
extern QList<QStringList> g_LangTextsReplaceFile;
extern QList<QStringList> g_LangTextsSettingNotSaved;
extern QList<QStringList> g_LangTextsNewVer;
extern QList<QStringList> g_LangTextsLessThree;
extern QList<QStringList> g_LangTextsScreenInfo;
extern QList<QStringList> g_LangTextsCompanyInfo;
extern QList<QStringList> g_LangTextsMacroNotice;
extern QList<QStringList> g_LangTextsDeviceBeingRead;

// Text k of row g_LanguageIndex, else text k of row 0, else defaultText. A
// missing, short or rejected language file therefore leaves a form with
// English or with its own texts, and never reads past a table or a row.
QString LanguageText(const QList<QStringList>& table, int k, const QString& defaultText);
// The same for a language slot given its row: text k of that row, else of
// row 0, else defaultText.
QString LanguageTextInRow(const QList<QStringList>& table, int row, int k, const QString& defaultText);
