#include "app/selectbrowserdlg.h"

#include "app/appsettings.h"
#include "app/texthelpers.h"
#include "platform/dialogs.h"
#include "platform/filedialog.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {
namespace {

struct Choice {
    int id;
    int setting;
    const char* text;
};

constexpr Choice kChoices[] = {
    {CSelectBrowserDlg::SystemDefault, BrowserSystemDefault, "System Default"},
    {CSelectBrowserDlg::Explorer, BrowserExplorer, "Microsoft Internet Explorer"},
    {CSelectBrowserDlg::Navigator, BrowserNavigator, "Netscape Navigator"},
    {CSelectBrowserDlg::AmericaOnline, BrowserAmericaOnline, "America Online"},
    {CSelectBrowserDlg::Other, BrowserOther, "Other"},
};

} // namespace

CSelectBrowserDlg::CSelectBrowserDlg(const DetectedBrowsers& browsers, QWidget* parent)
    : QDialog(parent), m_choices(new QButtonGroup(this)), m_command(new QLineEdit(this)),
      m_browse(new QPushButton("Browse...", this)) {
    setWindowTitle("Select Browser");
    auto* layout = new QVBoxLayout(this);
    const int current = settings::getInt("Settings", "Browser");
    for (const Choice& c : kChoices) {
        auto* radio = new QRadioButton(c.text, this);
        pf::setCtrlId(radio, c.id);
        m_choices->addButton(radio, c.setting);
        layout->addWidget(radio);
        const bool installed =
            (c.setting == BrowserExplorer && !browsers.explorer.empty()) ||
            (c.setting == BrowserNavigator && !browsers.navigator.empty()) ||
            (c.setting == BrowserAmericaOnline && !browsers.americaOnline.empty());
        if (c.setting >= BrowserExplorer && c.setting <= BrowserAmericaOnline && !installed)
            radio->setEnabled(false);
        radio->setChecked(c.setting ==
                              (current == BrowserNotChosen ? BrowserSystemDefault : current) &&
                          radio->isEnabled());
    }
    if (!m_choices->checkedButton())
        m_choices->button(BrowserSystemDefault)->setChecked(true);
    auto* otherRow = new QHBoxLayout;
    pf::setCtrlId(m_command, OtherCommand);
    pf::setCtrlId(m_browse, Browse);
    m_command->setText(pf::toQt(settings::getString("Settings", "BrowserOther")));
    otherRow->addWidget(m_command);
    otherRow->addWidget(m_browse);
    layout->addLayout(otherRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectBrowserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectBrowserDlg::reject);
    layout->addWidget(buttons);
    connect(m_choices, &QButtonGroup::idToggled, this, [this] { updateOtherControls(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    updateOtherControls();
}

void CSelectBrowserDlg::updateOtherControls() {
    const bool other = m_choices->checkedId() == BrowserOther;
    m_command->setEnabled(other);
    m_browse->setEnabled(other);
}

void CSelectBrowserDlg::browse() {
    pf::FileDialogSpec spec;
    spec.open = true;
    spec.title = "Browse";
    // Programs here rarely end in .exe, so every file may be chosen too.
    spec.filter = "Executable Files (*.exe)|*.exe|All Files (*)|*||";
    spec.mustExist = true;
    // Start in the folder of the current command's program.
    spec.initialDir = pf::folderOf(ReadToken(pf::fromQt(m_command->text()), 1, ' '));
    const std::string chosen = pf::fileDialog(spec);
    if (!chosen.empty())
        m_command->setText(pf::toQt(chosen + " %URL"));
}

void CSelectBrowserDlg::accept() {
    settings::writeInt("Settings", "Browser", m_choices->checkedId());
    settings::writeString("Settings", "BrowserOther", pf::fromQt(m_command->text()));
    QDialog::accept();
}

} // namespace qv
