#ifndef MODELTABLE_H
#define MODELTABLE_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class AbstractCalibrator;
class QWidget;

// What the main window knows of one instrument model.
struct ModelInfo
{
    int code;
    const char* name;
    int channels;     // ChannelCount for this model; 0 leaves it unchanged
    int resetFrom;    // lowest firmware version with "Reset ZQ Device"; -1 never
    bool createsPanel;
};

// The entry of a model code, or null when the code is not supported.
const ModelInfo* findModel(int modelCode);

// The poll command(s) of a model code; two commands mean the second follows 50 ms later.
QList<QByteArray> pollCommands(int modelCode);

// Result of reading an identification reply (the text after "ATCVER").
struct Identification
{
    bool ok = false;
    int modelCode = 0;
    unsigned version = 0;
};
Identification parseIdentification(QString const& reply);

// Creates the panel of a model; null when that model has no panel yet.
// The returned object is a QWidget that also implements AbstractCalibrator.
using CalibratorFactory = std::function<AbstractCalibrator*(int modelCode, QString const& model,
                                                            unsigned version, QString const& serial,
                                                            QWidget* parent)>;
AbstractCalibrator* createCalibrator(int modelCode, QString const& model, unsigned version,
                                     QString const& serial, QWidget* parent);
// Replaces the factory of one model code (tests use it to plug in their own panel);
// an empty function removes the replacement.
void setCalibratorFactory(int modelCode, CalibratorFactory factory);

#endif
