  #  include "high/High.h"
