#include "panelfactory.h"

#include "zq62calibrator.h"
#include "zq80calibrator.h"
#include "zq81calibrator.h"
#include "zq82calibrator.h"
#include "zq89calibrator.h"

AbstractCalibrator* createPanel(int modelCode, QString const& model, unsigned version,
                                QString const& serial, QWidget* parent)
{
    switch (modelCode) {
    case 62:
        return new Zq62Calibrator(model, version, serial, parent);
    case 80:
        return new Zq80Calibrator(model, version, serial, parent);
    case 81:
        return new Zq81Calibrator(model, version, serial, parent);
    case 82:
        return new Zq82Calibrator(model, version, serial, parent);
    case 89:
        return new Zq89Calibrator(model, version, serial, parent);
    default:
        return nullptr;
    }
}
