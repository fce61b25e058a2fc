#include "tvxres/tvxres.h"

extern const unsigned char WorldPicture[], WorldPicture2x[], EuropePicture[], EuropePicture2x[],
    SplashPicture[], SplashPicture2x[];
extern const std::size_t WorldPictureSize, WorldPicture2xSize, EuropePictureSize,
    EuropePicture2xSize, SplashPictureSize, SplashPicture2xSize;

extern "C" __attribute__((visibility("default"))) bool
TvxResPicture(int id, int scale, const unsigned char** data, std::size_t* size) {
    struct TPicture {
        int Id;
        int Scale;
        const unsigned char* Data;
        std::size_t Size;
    };
    const TPicture pictures[] = {
        {TvxResWorldMap, 1, WorldPicture, WorldPictureSize},
        {TvxResWorldMap, 2, WorldPicture2x, WorldPicture2xSize},
        {TvxResEuropeMap, 1, EuropePicture, EuropePictureSize},
        {TvxResEuropeMap, 2, EuropePicture2x, EuropePicture2xSize},
        {TvxResSplash, 1, SplashPicture, SplashPictureSize},
        {TvxResSplash, 2, SplashPicture2x, SplashPicture2xSize},
    };
    for (const TPicture& picture : pictures) {
        if (picture.Id == id && picture.Scale == scale) {
            *data = picture.Data;
            *size = picture.Size;
            return true;
        }
    }
    return false;
}
