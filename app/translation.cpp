#include "translation.h"

#include <QTranslator>

bool loadTranslation(QTranslator& translator, QString const& localeName, QString const& dir)
{
    if (localeName.left(2) != "ko")
        return false;
    return translator.load("ZQ_Calibrator_ko", dir);
}
