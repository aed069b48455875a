#ifndef SELECTDEVICE_H
#define SELECTDEVICE_H

#include <QWidget>

#include "devinfo.h"

namespace Ui { class SelectDevice; }
class QListWidget;
class QListWidgetItem;

// The list of attached instruments shown while no panel is open.
class SelectDevice : public QWidget
{
    Q_OBJECT
public:
    explicit SelectDevice(QWidget* parent = nullptr);
    ~SelectDevice() override;

    void addDevice(QList<Dev_info> const& list);
    void removeList(QList<Dev_info> const& list);
    void setAutoStart(bool on) { m_autoStart = on; }
    bool autoStart() const { return m_autoStart; }
    QListWidget* listwidget();
    void clear();

signals:
    void selectedDevice(Dev_info dev);
    void autoStartDevice(Dev_info dev);

private slots:
    void slotItemActivated(QListWidgetItem* item);

private:
    void offerFirst();

    Ui::SelectDevice* ui;
    bool m_autoStart = false;
    Dev_info m_current;
};

#endif
