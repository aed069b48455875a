#ifndef TRANSLATION_H
#define TRANSLATION_H

#include <QString>

class QTranslator;

// Loads "ZQ_Calibrator_ko" from dir when the locale name starts with "ko".
// Returns whether a translation was loaded; a missing file is not an error.
bool loadTranslation(QTranslator& translator, QString const& localeName, QString const& dir = ".");

#endif
