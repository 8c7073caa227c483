// The data side of a document: the registry with its managers in slot order,
// and the document's New, Open and Save on it.
#pragma once

#include <memory>
#include <string>

#include "datafile/CloneFileIoManager.h"
#include "datamodel/CloneManager.h"

class CPortFactory;
class CTolvarCloneRsIoManager;
class CTolvarPortFactory;

// A document host that only keeps its flags, for the command line and tests.
class CPlainDocumentHost : public IDocumentHost {
public:
    bool modified = false;
    int viewUpdates = 0, treeRebuilds = 0, newDocuments = 0;
    void SetModifiedFlag(bool m) override { modified = m; }
    bool IsModified() const override { return modified; }
    void UpdateAllViews() override { ++viewUpdates; }
    void RebuildTree() override { ++treeRebuilds; }
    void NewDocument() override { ++newDocuments; }
};

class CTolvarDocumentData {
public:
    // model: the stored variant (0 LMR, 1 PMR). host: the document the managers call
    // back into; a plain one is used when none is given. ports: where clone transfers
    // open their ports (it must outlive the document); none: the document's own.
    CTolvarDocumentData(IUserInteraction& ui, int model, IDocumentHost* host = nullptr,
                        CPortFactory* ports = nullptr);
    ~CTolvarDocumentData();
    CTolvarDocumentData(const CTolvarDocumentData&) = delete;
    CTolvarDocumentData& operator=(const CTolvarDocumentData&) = delete;

    CQCloneManager& Registry() { return *m_registry; }
    CTolvarCloneRsIoManager& RsIo() const;
    CTolvarCloneFileIoManager& FileIo() const;
    // Factory image of the current variant, decoded into the tree.
    void New();
    // A result other than Ok leaves image and tree unchanged. A file may hold only some
    // records: the other bytes come from the clean image, never from unsaved edits.
    EFileResult Open(const std::string& path);
    // How much of the user area (00A0-19FF) the last Open took from its file; all of
    // it after New and before any Open.
    SCoverage UserAreaCoverage() const { return m_coverage; }
    // Encodes the tree, normalises and writes the whole image.
    EFileResult Save(const std::string& path);
    int GetModel() const;
    // The image as it was last made new, opened, saved, read from a repeater or
    // changed to the other variant (the registry reports the last three itself).
    const CEepromImage& CleanImage() const { return m_clean; }
    // Takes the image as it is now as the clean one.
    void MarkClean();

private:
    CPlainDocumentHost m_plainHost;
    IDocumentHost* m_host;
    std::unique_ptr<CTolvarPortFactory> m_ownPorts;
    std::unique_ptr<CQCloneManager> m_registry;
    SCoverage m_coverage;
    CEepromImage m_clean;
};
