#include "selectdevice.h"
#include "ui_selectdevice.h"

SelectDevice::SelectDevice(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::SelectDevice)
{
    qRegisterMetaType<Dev_info>("Dev_info");
    ui->setupUi(this);
    connect(ui->listWidget, SIGNAL(itemActivated(QListWidgetItem*)), this, SLOT(slotItemActivated(QListWidgetItem*)));
}

SelectDevice::~SelectDevice()
{
    delete ui;
}

QListWidget* SelectDevice::listwidget()
{
    return ui->listWidget;
}

void SelectDevice::clear()
{
    ui->listWidget->clear();
}

void SelectDevice::addDevice(QList<Dev_info> const& list)
{
    for (Dev_info const& dev : list) {
        const QString text = deviceDisplayText(dev);
        bool present = false;
        for (int i = 0; i < ui->listWidget->count() && !present; ++i)
            present = ui->listWidget->item(i)->text().contains(text);
        if (present)
            continue;
        auto* item = new QListWidgetItem(text);
        item->setData(Qt::StatusTipRole, dev.first);
        item->setData(Qt::ToolTipRole, dev.second);
        ui->listWidget->addItem(item);
    }
    offerFirst();
}

void SelectDevice::removeList(QList<Dev_info> const& list)
{
    QStringList present;
    for (Dev_info const& dev : list)
        present << deviceDisplayText(dev);
    for (int i = ui->listWidget->count() - 1; i >= 0; --i) {
        QListWidgetItem* item = ui->listWidget->item(i);
        if (present.contains(item->text()))
            continue;
        ui->listWidget->removeItemWidget(item);
        delete item;
    }
    offerFirst();
}

void SelectDevice::offerFirst()
{
    if (!m_autoStart || ui->listWidget->count() < 1)
        return;
    QListWidgetItem* first = ui->listWidget->item(0);
    m_current = Dev_info(first->statusTip(), first->toolTip());
    emit autoStartDevice(m_current);
}

void SelectDevice::slotItemActivated(QListWidgetItem* item)
{
    m_current = Dev_info(item->statusTip(), item->toolTip());
    emit selectedDevice(m_current);
}
