// The generator's entry points in the preview service's plug-in model. Each
// instance carries its own interface table and reference count; nothing is
// shared between instances or calls, so hosts may call from any thread.
#include "fendlelook/FendleLookInterface.h"
#include "fendlelook/UuidBytes.h"
#include "fendlelook/module/FendleLookGenerator.h"

#include <atomic>
#include <new>

namespace {

using fendle::look::sameUuid;
using fendle::look::uuidBytes;

struct Instance {
    FLGeneratorInterface* interface;  // first, so that the instance points to its table pointer
    FLGeneratorInterface table;
    FLUUIDBytes factoryID;  // the factory it was made by, as the service's record keeps it
    std::atomic<FLRefCount> referenceCount;
};

Instance* instanceOf(void* instance) { return static_cast<Instance*>(instance); }

// The generator slots stay empty until the callbacks interface is asked for.
FLGeneratorInterface emptyTable() {
    FLGeneratorInterface table{};
    table.QueryInterface = QuickLookGeneratorQueryInterface;
    table.AddRef = QuickLookGeneratorPluginAddRef;
    table.Release = QuickLookGeneratorPluginRelease;
    return table;
}

// Nothing may leave the module as an exception.
template <typename Work>
void guarded(Work work) {
    try {
        work();
    } catch (...) {
    }
}

}  // namespace

void* QuickLookGeneratorPluginFactory(const void*, const FLUUIDBytes* typeID) {
    if (!typeID || !sameUuid(*typeID, FL_GENERATOR_TYPE_ID)) return nullptr;
    auto* instance = new (std::nothrow) Instance{nullptr, emptyTable(), uuidBytes(FL_FENDLELOOK_FACTORY_ID), {1}};
    if (!instance) return nullptr;
    instance->interface = &instance->table;
    return instance;
}

FLResult QuickLookGeneratorQueryInterface(void* instance, FLUUIDBytes interfaceID, void** interfaceOut) {
    if (!interfaceOut) return FL_E_NOINTERFACE;
    *interfaceOut = nullptr;
    if (!instance || !sameUuid(interfaceID, FL_GENERATOR_CALLBACKS_INTERFACE_ID)) return FL_E_NOINTERFACE;
    FLGeneratorInterface& table = instanceOf(instance)->table;
    table.GenerateThumbnailForURL = GenerateThumbnailForURL;
    table.CancelThumbnailGeneration = CancelThumbnailGeneration;
    table.GeneratePreviewForURL = GeneratePreviewForURL;
    table.CancelPreviewGeneration = CancelPreviewGeneration;
    QuickLookGeneratorPluginAddRef(instance);
    *interfaceOut = instance;
    return FL_S_OK;
}

FLRefCount QuickLookGeneratorPluginAddRef(void* instance) {
    if (!instance) return 0;
    return ++instanceOf(instance)->referenceCount;
}

FLRefCount QuickLookGeneratorPluginRelease(void* instance) {
    if (!instance) return 0;
    const FLRefCount count = --instanceOf(instance)->referenceCount;
    if (count == 0) delete instanceOf(instance);
    return count;
}

FLResult GenerateThumbnailForURL(void*, FLThumbnailRequest* thumbnail, const char* url, const char* contentType,
                                 const void*, FLSize maxSize) {
    guarded([&] {
        fendle::look::FendleLookGenerator::generateThumbnail(thumbnail, QByteArray(url), QByteArray(contentType),
                                                             QSizeF(maxSize.width, maxSize.height));
    });
    return FL_S_OK;
}

void CancelThumbnailGeneration(void*, FLThumbnailRequest*) {}

FLResult GeneratePreviewForURL(void*, FLPreviewRequest* preview, const char* url, const char*, const void*) {
    guarded([&] { fendle::look::FendleLookGenerator::generatePreview(preview, QByteArray(url)); });
    return FL_S_OK;
}

void CancelPreviewGeneration(void*, FLPreviewRequest*) {}
