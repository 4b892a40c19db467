#include "dialogs/copy/CopyWizard.h"

#include "dialogs/copy/CopyDonePage.h"
#include "dialogs/copy/CopySizePage.h"
#include "dialogs/copy/CopyTypePage.h"
#include "dialogs/copy/CopyWelcomePage.h"
#include "framework/HelpWindow.h"

CCopyWizard::CCopyWizard(const SCopyOptions& options, QWidget* parent) : QWizard{parent}
{
    setObjectName(QStringLiteral("IDD_COPY_WIZARD"));
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::NoBackButtonOnStartPage | QWizard::HaveHelpButton);

    m_welcome = new CCWelcomePage{this};
    m_type = new CCTypePage{this};
    m_size = new CCSizePage{this};
    m_done = new CCDonePage{this};
    m_type->SetType(options.type);
    m_size->SetSize(options.length, options.height);
    for (QWizardPage* page : std::initializer_list<QWizardPage*>{m_welcome, m_type, m_size, m_done}) {
        addPage(page);
    }

    connect(this, &QWizard::currentIdChanged, this, [this] {
        if (QWizardPage* page = currentPage()) {
            setWindowTitle(page->windowTitle());
        }
    });
    connect(this, &QWizard::helpRequested, this, [this] {
        ShowHelpContext(this, HelpContextOf(currentPage() ? currentPage() : static_cast<QWidget*>(this)));
    });
    setWindowTitle(m_welcome->windowTitle());
    resize(520, 340);
}

CCopyWizard::~CCopyWizard() = default;

SCopyOptions CCopyWizard::Options() const
{
    return SCopyOptions{m_type->GetType(), m_size->GetLength(), m_size->GetHeight()};
}
