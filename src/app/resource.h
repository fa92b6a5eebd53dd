// The ids of the resources in tesmo.rc, which the program loads by id.
#pragma once

#define IDI_TESMO 1
