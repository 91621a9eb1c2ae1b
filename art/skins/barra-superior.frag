  <!-- Top bar: flat graphite where the exit (620,4), guide (600,4) buttons and "Ayuda" sit -->
  <rect x="0" y="0" width="640" height="24" fill="{{BARRA}}"/>
  <line x1="0" y1="0.5" x2="640" y2="0.5" stroke="{{BARRA_LUZ}}"/>
  <line x1="0" y1="24.5" x2="640" y2="24.5" stroke="{{ACENTO}}" stroke-opacity="0.9"/>
  <line x1="0" y1="25.5" x2="640" y2="25.5" stroke="#000000" stroke-opacity="0.5"/>
  <line x1="596.5" y1="5" x2="596.5" y2="19" stroke="{{METAL_OSCURO}}"/>
