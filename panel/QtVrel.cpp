// Construction, destruction and the layout operations of the device panel.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QItemSelectionModel>
#include <QPixmap>

#include "discovery/DiscoveryCallback.h"
#include "discovery/PacketCaptureLibrary.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CRegExpValidator.h"

namespace {

// Widths of the device table's columns; -1 keeps the default width.
constexpr int kColumnWidths[QtVrelItemModel::ColumnCount] = {
    50, 104, 100, 130, 60, 120, 100, -1, 230, 100, 120,
    130, 110, 130, 100, 100, 130, 130, 130, 130, 130, 130};

const char kGreyBar[] = ":/images/ButtonIcon/grey.png";

} // namespace

QtVrel::QtVrel(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QtVrelClass>())
{
    ui->setupUi(this);

    // Limits and validators.
    ui->lineEditPort->setMaxLength(5);
    ui->lineEditPort->setValidator(new QIntValidator(2000, 65535, this));
    ui->lineEditPort->setToolTip(tr("Device port ranges from 2000 to 65535."));
    ui->lineEditIPAddr->setValidator(new CRegExpValidator(39, this));
    ui->lineEditIPMask->setValidator(new CRegExpValidator(39, this));
    ui->lineEditPort_Password->setMaxLength(16);
    ui->m_pDefaultPwdLEdit->setMaxLength(32);
    ui->m_pDefaultPwdLEdit->setEchoMode(QLineEdit::Password);
    ui->lineEditIPv6Mask->setValidator(new QIntValidator(0, 64, this));
    ui->lineEditHttpPort->setMaxLength(5);
    ui->lineEditHttpPort->setValidator(new QIntValidator(1, 65535, this));
    ui->lineEditHttpPort->setToolTip(tr("Http port ranges from 1 to 65535."));
    QHeaderView *header = ui->tableWidgetDevice->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);

    // The model.
    m_pModel = new QtVrelItemModel(ui->tableWidgetDevice);
    connect(m_pModel, &QAbstractItemModel::dataChanged, this, &QtVrel::ResetData);
    ui->tableWidgetDevice->setModel(m_pModel);
    header->setSortIndicator(0, Qt::AscendingOrder);
    ui->tableWidgetDevice->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every row is one line high. Without this the view measures the texts of
    // a whole row on each cell change, which dominates with thousands of rows.
    ui->tableWidgetDevice->setUniformRowHeights(true);

    // Connections.
    connect(header, &QHeaderView::sectionMoved, this, &QtVrel::OnHeaderCountChanged);
    connect(header, &QHeaderView::sectionPressed, this, &QtVrel::OnHeaderPress);
    connect(ui->tableWidgetDevice, &QAbstractItemView::doubleClicked, this, &QtVrel::OnClickAction);
    connect(ui->tableWidgetDevice, &CTableView::SignalClickRelease, this, &QtVrel::OnDeviceTableClicked);
    connect(ui->tableWidgetDevice->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &QtVrel::OnItemChanged);
    connect(header, &QHeaderView::sectionClicked, this, &QtVrel::SortTable);
    connect(ui->pushButtonModifyNetwork, &QPushButton::clicked, this, &QtVrel::OnModifyNetPara);
    connect(ui->pushButtonModifyPassword, &QPushButton::clicked, this, &QtVrel::OnDefaultPassword);
    connect(ui->pushButtonManualUpdate, &QPushButton::clicked, this, &QtVrel::OnManualUpdate);
    qRegisterMetaType<VREL_DEVICE_INFO_MY>("VREL_DEVICE_INFO_MY");
    connect(this, &QtVrel::DeviceOnlineSignal, this, &QtVrel::OnDeviceOnline);
    connect(this, &QtVrel::DeviceOfflineSignal, this, &QtVrel::OnDeviceOffline);
    connect(this, &QtVrel::DeviceUpdateSignal, this, &QtVrel::OnDeviceUpdate);
    connect(ui->m_pBtnExpand, &QToolButton::clicked, this, &QtVrel::OnClickExpandBtn);
    connect(ui->m_pBtnShrink, &QToolButton::clicked, this, &QtVrel::OnClickShrinkBtn);
    connect(ui->checkBoxDhcp, &QCheckBox::stateChanged, this, &QtVrel::OnDchpChanged);
    connect(ui->checkBoxBatchDhcp, &QCheckBox::stateChanged, this, &QtVrel::OnBatchDchpChanged);
    connect(ui->btbExcel, &QPushButton::clicked, this, &QtVrel::saveExcel);
    connect(ui->pushButtonModifyBatchNetwork, &QPushButton::clicked, this, &QtVrel::batchEnableDHCP);

    // The bridge.
    Zenu_MutexCreate(&m_deviceListMutex, ZENU_MUTEX_RECURSIVE);
    RegisterDevicePanel(this);

    InitPanelWidgets();

    if (!IsPacketLibraryPresent())
        return;
    m_discoveryClient.SetCallback(DiscoveryCallback, nullptr);
    if (!m_discoveryClient.Start())
        return;
    m_bDiscoveryRunning = true;
    m_discoveryClient.SendInquiry();

    EnablePanel(false);
    m_nDebugCount = 0;
    ui->widgetBatch->hide();
    ui->combImportFile->SetMode(1);
    ui->combExportFile->SetMode(2);
    connect(ui->btnImport, &QPushButton::clicked, this, &QtVrel::OnImport);
    connect(ui->btnExport, &QPushButton::clicked, this, &QtVrel::OnExport);
    ui->tableWidgetDevice->setColumnHidden(QtVrelItemModel::ColumnNew, true);
    ShowKeyFileGroup(false);
    ShowPasswordGroup(true);

    ui->edtNewPassword->setToolTip(PasswordRule());
    ui->edtNewPassword->setMaxLength(16);
    ui->edtConfirmPassword->setMaxLength(16);
}

QtVrel::~QtVrel()
{
    // Wait for callbacks that are using this panel and let no new one in;
    // then stop the library, which returns after its last callback.
    UnregisterDevicePanel(this);
    try {
        if (m_bDiscoveryRunning)
            m_discoveryClient.Stop();
        Zenu_MutexDestroy(&m_deviceListMutex);
        m_rowIndex.Clear();
        delete m_pModel;
        m_pModel = nullptr;
    } catch (...) {
    }
}

void QtVrel::InitPanelWidgets()
{
    for (int column = 0; column < QtVrelItemModel::ColumnCount; ++column) {
        if (kColumnWidths[column] > 0)
            ui->tableWidgetDevice->setColumnWidth(column, kColumnWidths[column]);
    }
    ui->lineEditIPv6Addr->setEnabled(false);
    ui->lineEditIPv6Gateway->setEnabled(false);
    ui->lineEditIPv6Mask->setEnabled(false);
    ui->m_pBtnExpand->show();
    ui->m_pBtnShrink->hide();
    const QPixmap grey(QString::fromLatin1(kGreyBar));
    ui->m_pLabelLevel1->setPixmap(grey);
    ui->m_pLabelLevel2->setPixmap(grey);
    ui->m_pLabelLevel3->setPixmap(grey);
    connect(ui->edtNewPassword, &QLineEdit::textChanged, this, &QtVrel::OnNewPasswordTextChanged);
    ui->edtNewPassword->setEchoMode(QLineEdit::Password);
    ui->edtConfirmPassword->setEchoMode(QLineEdit::Password);
}

void QtVrel::LockDeviceList()
{
    Zenu_MutexLock(&m_deviceListMutex);
}

void QtVrel::UnlockDeviceList()
{
    Zenu_MutexUnlock(&m_deviceListMutex);
}

QList<VREL_DEVICE_INFO_MY> QtVrel::DeviceList()
{
    LockDeviceList();
    const QList<VREL_DEVICE_INFO_MY> copy = m_deviceList;
    UnlockDeviceList();
    return copy;
}

void QtVrel::OnManualUpdate()
{
    m_discoveryClient.SendInquiry();
}

void QtVrel::ShowPasswordGroup(bool show)
{
    for (QWidget *w : QList<QWidget *>{ui->m_pDefaultPwdLEdit, ui->label_17, ui->label_2, ui->m_pLabelLevel,
                                       ui->m_pLabelLevel1, ui->m_pLabelLevel2, ui->m_pLabelLevel3, ui->label_3,
                                       ui->edtNewPassword, ui->edtConfirmPassword,
                                       ui->pushButtonModifyPassword})
        w->setVisible(show);
}

void QtVrel::ShowKeyFileGroup(bool show)
{
    const QList<QWidget *> common = {ui->combExportFile, ui->btnExport, ui->combImportFile, ui->btnImport,
                                     ui->label_2, ui->m_pLabelLevel, ui->m_pLabelLevel1, ui->m_pLabelLevel2,
                                     ui->m_pLabelLevel3, ui->label_3};
    if (show) {
        for (QWidget *w : common)
            w->show();
        ui->edtNewPassword->show();
        ui->edtConfirmPassword->show();
    } else {
        for (QWidget *w : common)
            w->hide();
        ui->label_17->hide();
    }
}

void QtVrel::EnablePanel(bool on)
{
    if (on) {
        for (QWidget *w : QList<QWidget *>{ui->lineEditSerial, ui->lineEditIPAddr, ui->lineEditIPMask,
                                           ui->lineEditPort, ui->lineEditPort_Password, ui->m_pDefaultPwdLEdit,
                                           ui->edtNewPassword, ui->edtConfirmPassword,
                                           ui->pushButtonModifyNetwork, ui->pushButtonModifyPassword,
                                           ui->lineEditIPGateway, ui->lineEditHttpPort, ui->widgetBatch,
                                           ui->checkBoxDhcp, ui->combExportFile, ui->btnExport,
                                           ui->combImportFile, ui->btnImport})
            w->setEnabled(true);
        return;
    }
    for (QLineEdit *e : {ui->lineEditSerial, ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditPort,
                         static_cast<QLineEdit *>(ui->lineEditPort_Password), ui->m_pDefaultPwdLEdit}) {
        e->setEnabled(false);
        e->clear();
    }
    ui->edtNewPassword->setEnabled(false);
    ui->edtConfirmPassword->setEnabled(false);
    ui->pushButtonModifyNetwork->setEnabled(false);
    ui->pushButtonModifyPassword->setEnabled(false);
    for (QLineEdit *e : {ui->lineEditIPGateway, ui->lineEditIPv6Addr, ui->lineEditIPv6Gateway,
                         ui->lineEditIPv6Mask}) {
        e->clear();
        e->setEnabled(false);
    }
    ui->widgetBatch->setEnabled(false);
    ui->checkBoxDhcp->setEnabled(false);
    ui->combExportFile->setEnabled(false);
    ui->combImportFile->setEnabled(false);
    ui->combExportFile->clear();
    ui->combImportFile->clear();
    ui->btnExport->setEnabled(false);
    ui->btnImport->setEnabled(false);
    ui->lineEditHttpPort->clear();
    ui->lineEditHttpPort->setEnabled(false);
}

void QtVrel::SetBatchMode(bool batch)
{
    const QList<QWidget *> newPassword = {ui->label_2, ui->edtNewPassword, ui->m_pLabelLevel,
                                          ui->m_pLabelLevel1, ui->m_pLabelLevel2, ui->m_pLabelLevel3,
                                          ui->label_3, ui->edtConfirmPassword, ui->pushButtonModifyPassword};
    if (batch) {
        ui->label_5->hide();
        ui->lineEditSerial->hide();
        ui->label_163->hide();
        ShowPasswordGroup(false);
        ShowKeyFileGroup(false);
        ui->checkBoxDhcp->hide();
        ui->widgetBatch->show();
        m_bActivateMode = true;
        for (QWidget *w : newPassword)
            w->show();
        ui->label_163->show();
        ui->label_163->setText(tr("Activate device"));
        return;
    }
    ui->label_5->show();
    ui->lineEditSerial->show();
    ui->label_163->show();
    ui->checkBoxDhcp->show();
    ui->widgetBatch->hide();
    m_bActivateMode = false;
    for (QWidget *w : newPassword)
        w->hide();
}

void QtVrel::OnDchpChanged(int iState)
{
    if (iState == Qt::PartiallyChecked)
        return;
    const bool enable = iState == Qt::Unchecked;
    for (QWidget *w : QList<QWidget *>{ui->frame, ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditIPGateway})
        w->setEnabled(enable);
}

void QtVrel::OnBatchDchpChanged(int iState)
{
    if (iState == Qt::PartiallyChecked)
        return;
    const bool enable = iState == Qt::Unchecked;
    for (QWidget *w : QList<QWidget *>{ui->frame, ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditIPGateway,
                                       ui->lineEditPort, ui->lineEditPort_Password, ui->pushButtonModifyNetwork})
        w->setEnabled(enable);
}

void QtVrel::OnClickExpandBtn()
{
    ui->m_pBtnExpand->hide();
    ui->m_pBtnShrink->show();
    ui->m_pSetFrame->hide();
}

void QtVrel::OnClickShrinkBtn()
{
    ui->m_pBtnExpand->show();
    ui->m_pBtnShrink->hide();
    ui->m_pSetFrame->show();
}
