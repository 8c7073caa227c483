// The RS-232C clone I/O manager (registry slot 6).
#pragma once

#include "datamodel/CloneManager.h"

class CCloneRsIoManager : public CCloneManagerObject {};
class CQCloneRsIoManager : public CCloneRsIoManager {};
class CTolvarCloneRsIoManager : public CQCloneRsIoManager {};
