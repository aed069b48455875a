#include "zq62calibrator.h"
#include "ui_zq62calibrator.h"

#include <QDebug>

#include "chartview.h"
#include "globals.h"

namespace {

// Steps: 4 the offset of one channel (REFRESH and APPLY).
enum : unsigned { OFFSET_SEQ = 4, END_SEQ = 5, ERROR_SEQ = 6 };

const PanelDescription kZq62 = {
    END_SEQ, ERROR_SEQ,
    "ATCOFF1\r\n", OFFSET_SEQ,
    {"ATCOFF"},
    {"ATCOFF"},
    {"ATCD"},
    {},
    true, "Zq62Calibrator::parsingTemp() TEMPMODE : ", PanelDescription::Celsius,
    0, nullptr,
    nullptr, nullptr,
};

const QString kDegree = QString(QChar(0x00B0));

} // namespace

Zq62Calibrator::Zq62Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : CalibratorPanel(kZq62, version, serial, parent)
    , ui(new Ui::Zq62Calibrator)
{
    ui->setupUi(this);
    attachForm(ui->frame, ui->horizontalLayout_led);
    m_chart[0] = new ChartView(ui->label_chart_ch1, 1, this);
    m_chart[1] = new ChartView(ui->label_chart_ch2, 2, this);
    m_lcd[0] = ui->lcdNumber_ch1;
    m_lcd[1] = ui->lcdNumber_ch2;
    m_offsetBox[0] = ui->doubleSpinBox_offset_ch1;
    m_offsetBox[1] = ui->doubleSpinBox_offset_ch2;

    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    ui->label_model->setText(model);
    ui->label_serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();

    attachTempRadios(ui->radioButton_celsius, ui->radioButton_fahrenheit);
    connect(ui->doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(ui->doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq62Calibrator::~Zq62Calibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq62Calibrator()";
}

void Zq62Calibrator::controlEnable(bool on)
{
    ui->groupBox_tempoutput->setEnabled(on);
    ui->groupBox_ch1->setEnabled(on);
    ui->groupBox_ch2->setEnabled(on);
}

void Zq62Calibrator::clearAll()
{
    m_mode = DEFAULT;
    m_seq = 0;
    m_celsius = true;
    ui->radioButton_celsius->setChecked(true);
    for (QLCDNumber* lcd : m_lcd)
        lcd->display(QString());
    ui->label_unit_ch1->setText(QString());
    ui->label_unit_ch2->setText(QString());
    for (QDoubleSpinBox* box : m_offsetBox) {
        box->setValue(0);
        box->setSuffix(QString());
        box->setStyleSheet(QString());
    }
}

void Zq62Calibrator::setSensorMode()
{
    showTempUnit();
    ui->label_unit_ch1->setText(kDegree + (m_celsius ? "C" : "F"));
    ui->label_unit_ch1->resizeFont();
    ui->label_unit_ch2->setText("%");
    ui->label_unit_ch2->resizeFont();
    // The offset is always entered in degrees Celsius, whatever the output unit.
    ui->doubleSpinBox_offset_ch1->setSuffix(" " + kDegree + "C");
    ui->doubleSpinBox_offset_ch2->setSuffix(" %RH");
}

void Zq62Calibrator::onSendFailure(unsigned mode)
{
    if (mode == REFRESH)
        setSensorMode();
}

int Zq62Calibrator::takeOffset(QString const& line)
{
    if (!line.contains("ATCOFF"))
        return 0;
    const QString rest = valueAfter(line, "ATCOFF");
    const int channel = channelDigit(rest, kChannels);
    if (channel)
        m_offsetBox[channel - 1]->setValue(rest.mid(1).toDouble());
    return channel;
}

void Zq62Calibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    if (m_seq != OFFSET_SEQ)
        return;
    const int channel = takeOffset(line);
    if (!channel)
        m_seq = ERROR_SEQ;
    else if (channel == ChannelCount)
        m_seq = END_SEQ;
    else
        writeDelay(REFRESH, OFFSET_SEQ, "ATCOFF" + QString::number(channel + 1) + "\r\n");
}

void Zq62Calibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_seq != OFFSET_SEQ)
        return;
    m_seq = takeOffset(line) ? END_SEQ : ERROR_SEQ;
}

void Zq62Calibrator::parsingDefault(QString line)
{
    const QStringList fields = liveFields(line, "ATCD", kChannels);
    setDeviceValue(fields.at(0), fields.at(1));
}

void Zq62Calibrator::setDeviceValue(QString ch1, QString ch2)
{
    showLive({ch1, ch2}, m_lcd, m_chart, kChannels);
}

void Zq62Calibrator::applyOffset(int channel)
{
    const double value = m_offsetBox[channel - 1]->value();
    writeDelay(APPLY, OFFSET_SEQ,
               "ATCOFF" + QString::number(channel) + " " + QString::number(value, 'f', 2) + "\r\n");
}

void Zq62Calibrator::slotDoubleSpinBox_offsetChanged_ch1(double value)
{
    Q_UNUSED(value)
}

void Zq62Calibrator::slotDoubleSpinBox_offsetChanged_ch2(double value)
{
    Q_UNUSED(value)
}

void Zq62Calibrator::slotOffsetApply_ch1()
{
    applyOffset(1);
}

void Zq62Calibrator::slotOffsetApply_ch2()
{
    applyOffset(2);
}
