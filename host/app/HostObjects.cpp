#include "host/app/HostObjects.h"

#include "host/lock/Lock.h"

CQuorixDoc::CQuorixDoc() : m_pSharedDataLock(new CLock("SharedData")) {}

CQuorixDoc::~CQuorixDoc()
{
    delete m_pSharedDataLock;
}
