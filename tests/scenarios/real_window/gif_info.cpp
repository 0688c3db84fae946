// Prints a GIF's frame count and the sum of its frame delays in hundredths of a second, as
// giflib reads it: "FRAMES TOTAL". Exit code 1 when it cannot be read.
#include <cstdio>
#include <gif_lib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gif_info FILE.gif\n");
        return 2;
    }
    int code = 0;
    GifFileType* gif = DGifOpenFileName(argv[1], &code);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
        std::fprintf(stderr, "gif_info: cannot read %s as a GIF\n", argv[1]);
        return 1;
    }
    long total = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        total += control.DelayTime;
    }
    std::printf("%d %ld\n", gif->ImageCount, total);
    DGifCloseFile(gif, &code);
    return 0;
}
