#ifndef PANELFACTORY_H
#define PANELFACTORY_H

#include <QString>

class AbstractCalibrator;
class QWidget;

// Creates the panel of a model code; null when the model has no panel. The one place
// that knows which panel class serves which model.
AbstractCalibrator* createPanel(int modelCode, QString const& model, unsigned version,
                                QString const& serial, QWidget* parent);

#endif
