#include "panelfactory.h"

#include "zq62calibrator.h"
#include "zq70acalibrator.h"

AbstractCalibrator* createPanel(int modelCode, QString const& model, unsigned version,
                                QString const& serial, QWidget* parent)
{
    switch (modelCode) {
    case 62:
        return new Zq62Calibrator(model, version, serial, parent);
    case 71:
    case 72:
    case 73:
        return new Zq70ACalibrator(modelCode, model, version, serial, parent);
    default:
        return nullptr;
    }
}
