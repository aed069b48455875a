#include "panelfactory.h"

#include "kwcalibrator.h"
#include "lxcalibrator.h"
#include "vdcalibrator.h"
#include "zq62calibrator.h"
#include "zq70acalibrator.h"
#include "zq83calibrator.h"
#include "zq84calibrator.h"

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
    case 83:
        return new Zq83Calibrator(model, version, serial, parent);
    case 84:
        return new Zq84Calibrator(model, version, serial, parent);
    case 701:
        return new KwCalibrator(model, version, serial, parent);
    case 702:
        return new LxCalibrator(model, version, serial, parent);
    case 703:
        return new VdCalibrator(model, version, serial, parent);
    default:
        return nullptr;
    }
}
