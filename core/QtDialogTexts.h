#pragma once

// Qt's own dialogs (the colour dialog of the DPI levels, the file dialogs of
// export and import) take their texts from Qt's translations, which the
// distribution ships beside Qt (Debian: qttranslations5-l10n). One translator
// is installed at start and follows the program's language through the hub's
// SigAllLanguage; a language without Qt translations, or one whose file is
// missing, leaves Qt's English texts.
//
// Switching does not post Qt's application-wide language change, which would
// make the forms that retranslate on it fall back to their default texts; a
// Qt dialog that lives across a switch is told itself (see
// RetranslateQtDialog).

class QWidget;

// Installs the translator; call once, after the application object exists.
void InstallQtDialogTexts();

// Gives a long-lived Qt dialog the texts of the current language.
void RetranslateQtDialog(QWidget* dialog);
