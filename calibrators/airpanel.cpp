#include "airpanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDebug>
#include <QLabel>
#include <QLCDNumber>

#include "chartview.h"
#include "resizelabel.h"

void AirPanel::attachAirForm(AirForm const& form, QString const& model, QString const& serial)
{
    m_form = form;
    attachForm(form.frame, form.ledLayout);
    for (int i = 0; i < kChannels; ++i)
        m_chart[i] = new ChartView(form.chartHost[i], i + 1, this);

    form.model->setText(QString());
    form.serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    form.model->setText(model);
    form.serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();
}

void AirPanel::detachAirForm()
{
    m_form.model->setText(QString());
    m_form.serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
}

void AirPanel::applyChoice(Choice choice, unsigned step, QString const& keyword, int n)
{
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("CalibratorPanel", "change the sensor type to the Mode "),
        QT_TRANSLATE_NOOP("CalibratorPanel", "change the sensor unit to "),
    };
    if (m_mode != DEFAULT)
        return;
    const QString value = QString::number(n);
    status(trPanel(texts[choice]) + value + "...");
    writeDelay(APPLY, step, keyword + " " + value + "\r\n");
}

void AirPanel::setSequences(QVector<SequenceRow> const& refresh, QVector<SequenceRow> const& apply)
{
    m_refresh.reset(new ChannelSequence(this, kChannels, refresh));
    m_apply.reset(new ChannelSequence(this, kChannels, apply));
}

void AirPanel::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_refresh->refresh(line);
}

void AirPanel::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_apply->apply(line))
        return;
    if (m_seq == m_desc.dateTimeStep)
        parsingDateTime(line);
    else
        parsingOtherApply(line);
}

void AirPanel::parsingOtherApply(QString const& line)
{
    Q_UNUSED(line)
}

void AirPanel::onSendFailure(unsigned mode)
{
    if (mode == REFRESH)
        setSensorMode();
}

void AirPanel::showHeldSettings()
{
    setSensorMode();
}

void AirPanel::parsingDefault(QString line)
{
    const QStringList fields = liveFields(line, "ATCD", kChannels);
    setDeviceValue(fields.at(0), fields.at(1));
}

void AirPanel::setDeviceValue(QString ch1, QString ch2)
{
    showLive({ch1, ch2}, m_form.lcd, m_chart, kChannels);
}

void AirPanel::setUnit(int channel, QString const& text)
{
    ResizeLabel* label = m_form.unit[channel - 1];
    label->setText(text);
    label->resizeFont();
}

void AirPanel::clearRadios(QList<QAbstractButton*> const& radios)
{
    for (QAbstractButton* radio : radios) {
        QButtonGroup* group = radio->group();
        if (group)
            group->setExclusive(false);
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
        if (group)
            group->setExclusive(true);
    }
}

QButtonGroup* AirPanel::radioGroup(QList<QAbstractButton*> const& radios, int firstId, const char* slot)
{
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < radios.size(); ++i)
        group->addButton(radios.at(i), firstId + i);
    connect(group, SIGNAL(buttonClicked(int)), this, slot);
    return group;
}
