#include "app/main.cpp"
