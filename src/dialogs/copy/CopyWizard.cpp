#include "dialogs/copy/CopyWizard.h"

#include "dialogs/copy/CDonePage.h"
#include "dialogs/copy/CSizePage.h"
#include "dialogs/copy/CTypePage.h"
#include "dialogs/copy/CWelcomePage.h"

CCopyWizard::CCopyWizard(const SCopyOptions& options, QWidget* parent) : CWizardSheet{parent, kWithHelp}
{
    setObjectName(QStringLiteral("IDD_COPY_WIZARD"));
    m_welcome = new CCWelcomePage{this};
    m_type = new CCTypePage{this};
    m_size = new CCSizePage{this};
    m_done = new CCDonePage{this};
    m_type->SetType(options.type);
    m_size->SetSize(options.length, options.height);
    for (CWizardPage* page : std::initializer_list<CWizardPage*>{m_welcome, m_type, m_size, m_done}) {
        AddPage(page);
    }
    resize(520, 340);
}

CCopyWizard::~CCopyWizard() = default;

SCopyOptions CCopyWizard::Options() const
{
    return SCopyOptions{m_type->GetType(), m_size->GetLength(), m_size->GetHeight()};
}
