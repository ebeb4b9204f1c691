// stb's PNG and JPEG encoder, built apart from the generator's own code: it
// does not compile cleanly under our warnings and relies on shifts of
// negative values.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
