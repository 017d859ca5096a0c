#pragma once
// The reports of this module for the report viewer: "Zaehlliste" (the count
// list, layouts "ial__*.rpt") and "Inventurliste" (the overview, layout
// "IA-Liste.rpt"). Registered once; further calls do nothing.
void DruckBerichteRegistrieren();
