#include "panelfactory.h"

#include "kwcalibrator.h"
#include "zq62calibrator.h"
#include "zq63calibrator.h"
#include "zq74calibrator.h"

AbstractCalibrator* createPanel(int modelCode, QString const& model, unsigned version,
                                QString const& serial, QWidget* parent)
{
    switch (modelCode) {
    case 62:
        return new Zq62Calibrator(model, version, serial, parent);
    case 63:
    case 65:
    case 67:
        return new Zq63Calibrator(modelCode, model, version, serial, parent);
    case 74:
        return new Zq74Calibrator(model, version, serial, parent);
    case 701:
        return new KwCalibrator(model, version, serial, parent);
    default:
        return nullptr;
    }
}
