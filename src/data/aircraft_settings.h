// Settings that only the aircraft configuration file sets, each named after
// its key unless noted. Values here are the defaults at module load.
#pragma once

#include <string>

extern std::string aircraft_flight_plans_folder; // the aircraft's FlightPlansFolder
extern std::string airac_cycle_text;             // "AIRAC 0813"
extern std::string airac_period_text;            // validity period from the AIRAC line

// Speeds in kt IAS (targets and their bases live with the speed targets).
extern int best_hold_ias;
extern int climb_speed_default;
extern int cruise_speed_default;
extern int descent_speed_default;

// Mach numbers of the speed limits at 15000 ft; 0 until the first load.
extern double climb_mach_min, climb_mach_max;
extern double cruise_mach_min, cruise_mach_max;
extern double descent_mach_min, descent_mach_max;

extern int ClimbRate;      // ft/min
extern double DescentRate; // ft/min
extern double ClbAltRest, ClbSpdRest, DescAltRest, DescSpdRest;
extern int MaxCruise; // ft
extern double MaxVnavClimbRate, MinVnavClimbRate, MaxVnavDescRate, MinVnavDescRate;
extern double MinVnavClimbIas, MinVnavIas, MinVnavRadioAlt;
extern double FPA; // degrees
extern int VnavSetMachCruiseSpd;
extern int VnavSetSpdRestDist;
extern double HoldLegMins; // minutes
extern int EngThrust;      // thousands

extern int TOFLAPS, LDGFLAPS, V1, VR, V2, VREF;
extern int VREFMIN, VREFMID, VREFMAX;
extern std::string APPRFLAPSMIN, APPRFLAPSMID, APPRFLAPSMAX;
extern std::string TOFLAPSRANGE; // ",1,5,10,15,25,": each setting between commas

extern std::string ModelId;
extern std::string EngId;
extern std::string PerformanceData; // performance file name
extern std::string DU1000Style;     // upper case
extern int ResetApHdg;
extern int DispFPV;
extern int ShowFloatingTodBodIndicators;
extern int SetMCPCrzAltOnFlightPlanLoad;
