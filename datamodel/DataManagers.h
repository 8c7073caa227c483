// The image, default, adjust and model managers (registry slots 1, 2, 3, 5).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datamodel/CloneManager.h"
#include "datamodel/EepromImage.h"
#include "datamodel/nodes/NodeValue.h"

class CNode;

// Repeater constants.
inline constexpr uint32_t kImageSize = 0x2000;
inline constexpr uint32_t kTableSize = 0x1A00;  // significant part, 0x0000..0x19FF
inline constexpr uint32_t kModelCodeAddr = 0x0000;  // words, high byte first
inline constexpr uint32_t kRevisionAddr = 0x0002;
inline constexpr uint16_t kModelCode = 0x2368;
inline constexpr uint16_t kRevision = 0x0100;
inline constexpr uint32_t kUserAreaStart = 0x00A0;
inline constexpr uint32_t kModelAddr = 0x00D1;
inline constexpr int kModelBit = 4;
inline constexpr uint32_t kSignatureAddr = 0x19F8;
inline constexpr const char* kSignature = "VELK Inc";
enum EModel { ModelLMR = 0, ModelPMR = 1 };

class CEepromDataManager : public CEepromImage, public CCloneManagerObject {
public:
    CEepromDataManager() : CEepromImage(65536) {}
};
class CQEepromDataManager : public CEepromDataManager {};
class CTolvarEepromDataManager : public CQEepromDataManager {
public:
    void Initialize() override { Resize(kImageSize); }
};

class CDefaultDataManager : public CCloneManagerObject {
public:
    // A negative model stands for the current one.
    virtual void RestoreByte(int model, uint32_t addr);
    virtual void RestoreBit(int model, uint32_t addr, int bit);
    virtual void RestoreBlock(int model, uint32_t addr, uint32_t n);
    virtual void LoadDefaults(int model);
    virtual const std::vector<uint8_t>& GetTable(int model) const = 0;

protected:
    int ResolveModel(int model) const;
};
class CQDefaultDataManager : public CDefaultDataManager {};
class CTolvarDefaultDataManager : public CQDefaultDataManager {
public:
    const std::vector<uint8_t>& GetTable(int model) const override;
};
// The factory tables, 6656 bytes each (defined in DefaultTables.cpp).
const std::vector<uint8_t>& FactoryTable(int model);

class CAdjustDataManager : public CCloneManagerObject {
public:
    virtual void Normalise() {}
};
class CQAdjustDataManager : public CAdjustDataManager {};
class CTolvarAdjustDataManager : public CQAdjustDataManager {
public:
    void Normalise() override;
};

// The current model with the constants the program speaks for.
class CModelObject : public CNodeValue {
public:
    uint16_t modelCode = 0;
    uint16_t revision = 0;
    std::vector<uint8_t> information;  // information block, 38 bytes
    int commentCapacity = 0;
};

class CModelManager : public CCloneManagerObject {
public:
    void Initialize() override;
    virtual int GetModel() const { return m_model.Value(); }
    virtual void SetModel(int model, bool rebuild);
    // Returns 1 when the model was changed, 0 when the user refused.
    virtual int ChangeModel(int model, bool ask);
    virtual bool IsMakerReserve() const { return m_makerReserve; }
    virtual void SetMakerReserve(bool flag) { m_makerReserve = flag; }
    CModelObject& GetModelObject() { return m_model; }
    const CModelObject& GetModelObject() const { return m_model; }

protected:
    virtual void SetupModelObject() {}
    CModelObject m_model;
    bool m_makerReserve = false;
};

class CQModelManager : public CModelManager {
public:
    int ChangeModel(int model, bool ask) override;
    // Dotted path from the memory-map root; the empty path is the root itself.
    CNode* GetNodeByPath(const std::string& path) const;

protected:
    void SetupModelObject() override;
};
