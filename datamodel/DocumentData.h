// The data side of a document: the registry with its managers in slot order,
// and the document's New, Open and Save on it.
#pragma once

#include <memory>
#include <string>

#include "datamodel/CloneManager.h"
#include "datamodel/ScriptedInteraction.h"

class CTolvarDocumentData {
public:
    // model: the stored variant (0 LMR, 1 PMR). host: the document the managers call
    // back into; a plain one is used when none is given.
    CTolvarDocumentData(IUserInteraction& ui, int model, IDocumentHost* host = nullptr);
    ~CTolvarDocumentData();
    CTolvarDocumentData(const CTolvarDocumentData&) = delete;
    CTolvarDocumentData& operator=(const CTolvarDocumentData&) = delete;

    CQCloneManager& Registry() { return *m_registry; }
    IDocumentHost& Host() { return *m_host; }
    // Factory image of the current variant, decoded into the tree.
    void New();
    // A result other than "OK" leaves image and tree unchanged.
    std::string Open(const std::string& path);
    // Encodes the tree, normalises and writes the whole image.
    std::string Save(const std::string& path);
    const std::string& TransferFile() const { return m_transferFile; }
    int GetModel() const;

private:
    CPlainDocumentHost m_plainHost;
    IDocumentHost* m_host;
    std::unique_ptr<CQCloneManager> m_registry;
    std::string m_transferFile;
};
