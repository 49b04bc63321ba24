#include "framework/HighScoresTable.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/BinaryFields.h"
#include "framework/VersionedFile.h"

namespace GameFramework {

using ZorvaneEngine::FileBinary;
using ZorvaneEngine::FileError;

HighScoresTable::HighScoresTable(ZorvaneEngine::Engine* engine, const std::string& userFolder)
    : HighScoresTable(engine->log.get(), engine->fileManager.get(), userFolder)
{
}

HighScoresTable::HighScoresTable(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                                 const std::string& userFolder)
    : log(log), file(std::make_unique<VersionedFile>(fileManager, Magic, Version)),
      userFolder(userFolder)
{
    Load();
}

HighScoresTable::~HighScoresTable() = default;

std::string HighScoresTable::GetPath() const
{
    return userFolder + "\\high_scores.hsf";
}

void HighScoresTable::Load()
{
    try {
        file->Open(VersionedFile::ModeRead, GetPath());
        FileBinary& in = *file->GetFile();
        nextSequence = ReadU32(in);
        // Nothing is reserved for the count: a count past the end fails on
        // the first entry that is not there.
        const uint32_t count = ReadU32(in);
        for (uint32_t i = 0; i < count; ++i) {
            const std::u16string name = ReadWideText(in);
            const uint32_t mode = ReadU32(in);
            const uint32_t score = ReadU32(in);
            const uint32_t sequence = ReadU32(in);
            AddEntry(name, mode, score, sequence);
        }
        file->Close();
    } catch (const FileError& error) {
        file->Abandon();
        file->KeepDamaged(log, error.message);
        nextSequence = 0;
        entries.clear();
        Save();
    }
}

HighScoreEntry* HighScoresTable::AddEntry(const std::u16string& name, uint32_t mode, uint32_t score,
                                          uint32_t sequence)
{
    auto entry = std::make_unique<HighScoreEntry>();
    entry->name = name;
    entry->mode = mode;
    entry->score = score;
    entry->sequence = sequence;
    entries.push_back(std::move(entry));
    return entries.back().get();
}

HighScoreEntry* HighScoresTable::AddScore(const std::u16string& name, uint32_t mode, uint32_t score)
{
    HighScoreEntry* added = AddEntry(name, mode, score, nextSequence);
    ++nextSequence;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const std::unique_ptr<HighScoreEntry>& a, const std::unique_ptr<HighScoreEntry>& b) {
                         return a->score > b->score || (a->score == b->score && a->sequence < b->sequence);
                     });
    uint32_t ofMode = 0;
    for (auto it = entries.begin(); it != entries.end();) {
        if ((*it)->mode == mode && ++ofMode > maximumEntries) {
            if (it->get() == added) added = nullptr;
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    Save();
    return added;
}

void HighScoresTable::Save()
{
    try {
        file->Open(VersionedFile::ModeWrite, GetPath());
        FileBinary& out = *file->GetFile();
        WriteU32(out, nextSequence);
        WriteU32(out, static_cast<uint32_t>(entries.size()));
        for (const std::unique_ptr<HighScoreEntry>& entry : entries) {
            out.WriteWideString(entry->name);
            WriteU32(out, entry->mode);
            WriteU32(out, entry->score);
            WriteU32(out, entry->sequence);
        }
        file->Close();
    } catch (const FileError&) {
        file->Abandon();
    }
}

} // namespace GameFramework
