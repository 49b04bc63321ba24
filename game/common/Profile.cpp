#include "game/common/Profile.h"

#include "framework/BinaryFields.h"

namespace ActionPuzzle {

Profile::Profile(ZorvaneEngine::Engine* engine, const std::string& userFolder) : ProfileBase(engine, userFolder)
{
    kind = Kind;
}

Profile::Profile(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* fileManager,
                 const std::string& userFolder)
    : ProfileBase(log, fileManager, userFolder)
{
    kind = Kind;
}

Profile::~Profile() = default;

void Profile::Create(const std::u16string& name)
{
    tutorialPending = true;
    relaxOfferPending = true;
    introductionPending = true;
    gameNotCompleted = true;
    ProfileBase::Create(name);
}

void Profile::WriteBody(ZorvaneEngine::FileBinary& file)
{
    ProfileBase::WriteBody(file);
    for (bool flag : {tutorialPending, relaxOfferPending, introductionPending, gameNotCompleted}) {
        GameFramework::WriteU8(file, flag ? 1 : 0);
    }
}

void Profile::ReadBody(ZorvaneEngine::FileBinary& file)
{
    ProfileBase::ReadBody(file);
    for (bool* flag : {&tutorialPending, &relaxOfferPending, &introductionPending, &gameNotCompleted}) {
        *flag = GameFramework::ReadU8(file) != 0;
    }
}

} // namespace ActionPuzzle
