// A district of small buildings as GeoJSON in longitude and latitude: rows of 100, the first half of
// the rows standing apart (L-shaped, six corners), the second half in terraces of ten sharing their
// walls. 100 rows make the 10,000 buildings (5,500 structures) of the assessment benchmarks.
#pragma once

#include <string>

std::string DistrictGeoJson(int rows = 100);
