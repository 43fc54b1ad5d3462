#pragma once

// Symbols of libqvplatform.so that the program and its run-time libraries use.
#define PF_EXPORT __attribute__((visibility("default")))
