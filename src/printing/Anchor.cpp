int printingAnchor = 0;
