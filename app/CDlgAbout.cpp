#include "CDlgAbout.h"

#include "ui_CDlgAbout.h"

CDlgAbout::CDlgAbout(QWidget *parent)
    : CBaseDialog(parent, false, false, false)
    , m_pUi(std::make_unique<Ui::CDlgAboutClass>())
{
    m_pUi->setupUi(GetContentFrame());
    setFixedSize(520, 200);
    ShowCloseBtn(true);
    SetTitle(tr("About"));
    m_pUi->pLabelAbout->setText(VersionText());
    connect(m_pUi->m_pOkBtn, &QPushButton::clicked, this, &CDlgAbout::accept);
}

CDlgAbout::~CDlgAbout() = default;

QString CDlgAbout::VersionText()
{
    return tr(" v2.00.00.01") + QStringLiteral(" Build") + QStringLiteral("20150827_086");
}
