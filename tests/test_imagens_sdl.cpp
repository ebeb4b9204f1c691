// The image edge cases of test_imagens.cpp on the SDL software back-end.
#define T2D2_TESTE_RENDER T2D2_DESENHO_PADRAO
#include "test_imagens.cpp"
