#include "ClientLanguageProperty.h"

ClientLanguageProperty::ClientLanguageProperty() = default;

ClientLanguageProperty::~ClientLanguageProperty()
{
    delete m_pFirstTranslator.data();
    delete m_pSecondTranslator.data();
}

void ClientLanguageProperty::SetTranslators(QTranslator *first, QTranslator *second)
{
    m_pFirstTranslator = first;
    m_pSecondTranslator = second;
}
