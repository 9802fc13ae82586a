/* The C interface between FendleLook and the program that hosts it: a file
 * manager's thumbnailer, the preview command, or any other host that loads
 * the module with dlopen. It follows the preview service's plug-in model:
 * the host looks up the factory named in the bundle's Info.plist, asks it for
 * an instance of the generator type, asks the instance for the generator
 * callbacks interface, calls the generate functions and releases the
 * instance. Identifiers travel as 16 bytes in RFC 4122 order.
 *
 * The host runs a QGuiApplication (the offscreen platform will do) before it
 * calls a generate function: the module lays out text with Qt's fonts. The
 * generate functions may be called from several threads at once. */
#ifndef FENDLELOOK_INTERFACE_H
#define FENDLELOOK_INTERFACE_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FLUUIDBytes {
    uint8_t bytes[16];
} FLUUIDBytes;

typedef int32_t FLResult;
typedef uint32_t FLRefCount;

#define FL_S_OK ((FLResult)0)
#define FL_E_NOINTERFACE ((FLResult)0x80000004)

/* The service's generator type, the generator callbacks interface, and the
 * factory this bundle registers. */
#define FL_GENERATOR_TYPE_ID "5E2D9680-5022-40FA-B806-43349622E5B9"
#define FL_GENERATOR_CALLBACKS_INTERFACE_ID "865AF5E0-6D30-4345-951B-D37105754F2D"
#define FL_FENDLELOOK_FACTORY_ID "9991A4F3-F947-41F9-8552-E446257CCD0E"

/* The content types the module tells apart. */
#define FL_CACHE_FILE_CONTENT_TYPE "com.quorvel.fendle.fdlcache"
#define FL_RTF_CONTENT_TYPE "public.rtf"

typedef struct FLSize {
    double width;
    double height;
} FLSize;

/* A preview request receives the preview's bytes and their content type. */
typedef struct FLPreviewRequest {
    void* host;
    void (*setDataRepresentation)(struct FLPreviewRequest* request, const void* data, size_t length,
                                  const char* contentType);
} FLPreviewRequest;

/* 32-bit premultiplied ARGB pixels in native byte order (0xAARRGGBB), rows
 * top to bottom. The host owns the memory. */
typedef struct FLBitmapContext {
    unsigned char* pixels;
    int width;
    int height;
    int bytesPerRow;
} FLBitmapContext;

/* A thumbnail request hands out a bitmap context of the size asked for
 * (rounded to whole pixels, at least one), takes back the drawing with
 * flushContext and frees the context with releaseContext. createContext may
 * answer NULL when it cannot make one. */
typedef struct FLThumbnailRequest {
    void* host;
    FLBitmapContext* (*createContext)(struct FLThumbnailRequest* request, FLSize size, bool isBitmap);
    void (*flushContext)(struct FLThumbnailRequest* request, FLBitmapContext* context);
    void (*releaseContext)(struct FLThumbnailRequest* request, FLBitmapContext* context);
} FLThumbnailRequest;

/* The interface table: the standard slots of the service's plug-in model.
 * An instance is a pointer to a pointer to this table; every function takes
 * that instance first. The four generator slots are empty until the
 * generator callbacks interface has been asked for. Addresses are URLs
 * ("file:///…") in UTF-8; options are reserved and may be NULL. */
typedef struct FLGeneratorInterface {
    void* reserved;
    FLResult (*QueryInterface)(void* instance, FLUUIDBytes interfaceID, void** interfaceOut);
    FLRefCount (*AddRef)(void* instance);
    FLRefCount (*Release)(void* instance);
    FLResult (*GenerateThumbnailForURL)(void* instance, FLThumbnailRequest* thumbnail, const char* url,
                                        const char* contentType, const void* options, FLSize maxSize);
    void (*CancelThumbnailGeneration)(void* instance, FLThumbnailRequest* thumbnail);
    FLResult (*GeneratePreviewForURL)(void* instance, FLPreviewRequest* preview, const char* url,
                                      const char* contentType, const void* options);
    void (*CancelPreviewGeneration)(void* instance, FLPreviewRequest* preview);
} FLGeneratorInterface;

/* The factory: an instance (reference count 1) when typeID is the
 * generator type, else NULL. allocator is unused. */
typedef void* (*FLGeneratorFactoryFunction)(const void* allocator, const FLUUIDBytes* typeID);

/* The module's entry points. Hosts find the factory by the name the
 * Info.plist gives it and reach the others through the interface table. */
#define FL_ENTRY_POINT __attribute__((visibility("default")))
FL_ENTRY_POINT void* QuickLookGeneratorPluginFactory(const void* allocator, const FLUUIDBytes* typeID);
FL_ENTRY_POINT FLResult QuickLookGeneratorQueryInterface(void* instance, FLUUIDBytes interfaceID, void** interfaceOut);
FL_ENTRY_POINT FLRefCount QuickLookGeneratorPluginAddRef(void* instance);
FL_ENTRY_POINT FLRefCount QuickLookGeneratorPluginRelease(void* instance);
FL_ENTRY_POINT FLResult GenerateThumbnailForURL(void* instance, FLThumbnailRequest* thumbnail, const char* url,
                                                const char* contentType, const void* options, FLSize maxSize);
FL_ENTRY_POINT void CancelThumbnailGeneration(void* instance, FLThumbnailRequest* thumbnail);
FL_ENTRY_POINT FLResult GeneratePreviewForURL(void* instance, FLPreviewRequest* preview, const char* url,
                                              const char* contentType, const void* options);
FL_ENTRY_POINT void CancelPreviewGeneration(void* instance, FLPreviewRequest* preview);

#ifdef __cplusplus
}
#endif

#endif
