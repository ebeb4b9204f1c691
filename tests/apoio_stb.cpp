// The image writer used to make test images. Built apart from our own code:
// stb's encoder relies on shifts of negative values, which the sanitizer build
// would stop at.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
