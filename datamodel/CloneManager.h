// The manager registry: one owning slot per role, reached by every manager.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "datamodel/EditGuard.h"
#include "datamodel/UserInteraction.h"

class CCloneManager;
class CTolvarEepromDataManager;
class CTolvarDefaultDataManager;
class CTolvarAdjustDataManager;
class CTolvarRadioDataManager;
class CQModelManager;
class CEepromImage;
class CEditHistory;

class CCloneManagerObject {
public:
    virtual ~CCloneManagerObject() = default;
    // Called once by the registry after every manager exists.
    virtual void Initialize() {}
    CCloneManager* GetRegistry() const { return m_registry; }
    void SetRegistry(CCloneManager* registry) { m_registry = registry; }

private:
    CCloneManager* m_registry = nullptr;
};

enum ESlot { SlotEeprom = 1, SlotDefault, SlotAdjust, SlotRadioData, SlotModel, SlotRsIo, SlotFileIo };

class CCloneManagerTemplate {
public:
    virtual ~CCloneManagerTemplate();

protected:
    // Slots 1 to 7 own their managers; slot 8 (the document) does not.
    std::array<std::unique_ptr<CCloneManagerObject>, 7> m_slots;
    IDocumentHost* m_document = nullptr;
};

class CCloneManager : public CCloneManagerTemplate {
public:
    explicit CCloneManager(IUserInteraction& ui);
    ~CCloneManager() override;

    // Places a manager (not yet initialised) in slot 1..7.
    void SetSlot(int slot, std::unique_ptr<CCloneManagerObject> manager);
    void SetDocument(IDocumentHost* document) { m_document = document; }
    void InitAll();

    virtual void InitImage();
    virtual void StoreTreeToImage();
    virtual void LoadImageToTree();
    // 2 when already confirmed; otherwise the answer to the caution box.
    virtual int ConfirmMakerReserve();
    // Told when the image is replaced as a whole and the tree decoded from it: a new
    // image, a variant change, an image read from a repeater.
    void SetImageReplacedHandler(std::function<void()> handler) {
        m_imageReplaced = std::move(handler);
    }
    void ImageReplaced() const {
        if (m_imageReplaced)
            m_imageReplaced();
    }

    CCloneManagerObject* GetSlot(int slot) const;
    // The manager of a slot as its class; null when the slot holds another.
    template <class T> T* SlotAs(int slot) const { return dynamic_cast<T*>(GetSlot(slot)); }
    CTolvarEepromDataManager* Eeprom() const;
    CEepromImage& Image() const;
    CTolvarDefaultDataManager* Defaults() const;
    CTolvarAdjustDataManager* Adjust() const;
    CTolvarRadioDataManager* RadioData() const;
    CQModelManager* Model() const;
    IDocumentHost* Document() const { return m_document; }
    IUserInteraction& UI() const { return *m_ui; }
    // Guards the commands of this registry's document against running twice at once.
    CEditGuard& EditGuard() { return m_editGuard; }
    // Every change of the document, to undo and redo.
    CEditHistory& History() const { return *m_history; }

protected:
    virtual EButtons MakerReserveButtons() const { return EButtons::Ok; }
    virtual EIcon MakerReserveIcon() const { return EIcon::None; }

private:
    IUserInteraction* m_ui;
    CEditGuard m_editGuard;
    std::unique_ptr<CEditHistory> m_history;
    std::function<void()> m_imageReplaced;
};

class CQCloneManager : public CCloneManager {
public:
    using CCloneManager::CCloneManager;

protected:
    EButtons MakerReserveButtons() const override { return EButtons::OkCancel; }
    EIcon MakerReserveIcon() const override { return EIcon::Exclamation; }
};
