#include "panelfactory.h"

#include "nbcalibrator.h"
#include "zq62calibrator.h"

AbstractCalibrator* createPanel(int modelCode, QString const& model, unsigned version,
                                QString const& serial, QWidget* parent)
{
    switch (modelCode) {
    case 62:
        return new Zq62Calibrator(model, version, serial, parent);
    case 704:
        return new NbCalibrator(model, version, serial, parent);
    default:
        return nullptr;
    }
}
